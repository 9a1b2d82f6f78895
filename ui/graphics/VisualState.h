// The visual state a control paints: which picture of a state strip it
// shows, and which look its vector parts take.
#pragma once

enum VisualState : int {
    StateDisabled = -1,
    StateNormal = 0,
    StateHot = 1,     // the pointer is over the element
    StatePressed = 2, // the left button is held on it
    StateFocused = 3, // it holds the keyboard focus
};

// Sibling lists of the element tree: a randomized sequence of tree operations
// checked against a plain model after every step, plus the cases around
// creation and destruction.
#include "ui-core/UiCoreTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <random>
#include <sstream>

using namespace UiCoreTest;

namespace {

constexpr int kTop = -1;  // the host's top-level list
constexpr int kElements = 8;

// What the tree should look like: each container's members in order, each
// element's parent and whether it is created.
struct TreeModel {
    std::array<bool, kElements> created{};
    std::array<int, kElements> parent;
    std::map<int, std::vector<int>> lists;

    TreeModel() { parent.fill(kTop); }

    void Erase(int i)
    {
        auto& list = lists[parent[i]];
        list.erase(std::remove(list.begin(), list.end(), i), list.end());
    }

    bool InSubtreeOf(int candidate, int root) const
    {
        for (int up = candidate; up != kTop; up = parent[up]) {
            if (up == root)
                return true;
        }
        return false;
    }

    void Create(int i, int target)
    {
        if (created[i])
            return;
        if (target != kTop && (!created[target] || InSubtreeOf(target, i)))
            return;
        created[i] = true;
        parent[i] = target;
        lists[target].push_back(i);
    }

    void SetParent(int i, int target)
    {
        if (!created[i] || parent[i] == target)
            return;
        if (target != kTop && (!created[target] || InSubtreeOf(target, i)))
            return;
        Erase(i);
        parent[i] = target;
        lists[target].push_back(i);
    }

    void BringToEdge(int i, bool top)
    {
        if (!created[i])
            return;
        Erase(i);
        auto& list = lists[parent[i]];
        list.insert(top ? list.end() : list.begin(), i);
    }

    void Unlink(int i) { Erase(i); }

    void Destroy(int i)
    {
        if (!created[i])
            return;
        const std::vector<int> children = lists[i];
        for (int child : children)
            Destroy(child);
        Erase(i);
        created[i] = false;
        parent[i] = kTop;
        lists[i].clear();
    }
};

std::string Describe(const std::vector<int>& list)
{
    std::ostringstream text;
    for (int i : list)
        text << i << ' ';
    return text.str();
}

class TreeFixture : public ::testing::Test {
protected:
    TestHost host;
    std::array<ProbeElement, kElements> elements;

    int IndexOf(const Qx_Object* element) const
    {
        for (int i = 0; i < kElements; ++i) {
            if (&elements[i] == element)
                return i;
        }
        return -2;
    }

    // Walks a list both ways; fails on a broken back link or a cycle.
    std::vector<int> Walk(const SiblingList& list)
    {
        std::vector<int> forward;
        for (const Qx_Object* e = list.first; e && forward.size() <= kElements; e = e->NextSibling())
            forward.push_back(IndexOf(e));
        std::vector<int> backward;
        for (const Qx_Object* e = list.last; e && backward.size() <= kElements; e = e->PrevSibling())
            backward.push_back(IndexOf(e));
        std::reverse(backward.begin(), backward.end());
        EXPECT_EQ(Describe(forward), Describe(backward)) << "forward and backward walks differ";
        EXPECT_EQ(list.first == nullptr, list.last == nullptr);
        if (list.first) {
            EXPECT_EQ(list.first->PrevSibling(), nullptr);
        }
        if (list.last) {
            EXPECT_EQ(list.last->NextSibling(), nullptr);
        }
        return forward;
    }

    void Check(TreeModel& model, const std::string& step)
    {
        SCOPED_TRACE(step);
        EXPECT_EQ(Describe(Walk(host.TopLevel())), Describe(model.lists[kTop])) << "top level";
        for (int i = 0; i < kElements; ++i) {
            EXPECT_EQ(Describe(Walk(elements[i].Children())), Describe(model.lists[i])) << "children of " << i;
            EXPECT_EQ(elements[i].IsCreated(), model.created[i]) << "element " << i;
            const Qx_Object* expectedParent = model.parent[i] == kTop ? nullptr : &elements[model.parent[i]];
            EXPECT_EQ(elements[i].GetParent(), expectedParent) << "parent of " << i;
            EXPECT_EQ(elements[i].GetHandle(), model.created[i] ? elements[i].Self() : 0);
        }
    }
};

TEST_F(TreeFixture, RandomSequencesKeepEverySiblingListConsistent)
{
    for (unsigned seed = 1; seed <= 60 && !HasFailure(); ++seed) {
        std::mt19937 random(seed);
        TreeModel model;
        auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
        for (int step = 0; step < 80 && !HasFailure(); ++step) {
            const int i = pick(kElements);
            const int target = pick(kElements + 1) - 1;  // kTop or an element
            std::ostringstream name;
            name << "seed " << seed << " step " << step << ": ";
            switch (pick(6)) {
            case 0:
            case 1:
                name << "Create " << i << " on " << target;
                if (target == kTop)
                    elements[i].Create(host.Window(), {0, 0, 4, 4}, ElementClass::Text, true);
                else
                    elements[i].Create(elements[target], {0, 0, 4, 4}, ElementClass::Text, true);
                model.Create(i, target);
                break;
            case 2:
                name << "SetParent " << i << " to " << target;
                elements[i].SetParent(target == kTop ? nullptr : &elements[target]);
                model.SetParent(i, target);
                break;
            case 3: {
                const bool top = pick(2) == 0;
                name << "BringToEdge " << i << (top ? " top" : " bottom");
                elements[i].BringToEdge(top ? Edge::Top : Edge::Bottom, pick(2) == 0);
                model.BringToEdge(i, top);
                break;
            }
            case 4:
                name << "Unlink " << i;
                elements[i].Unlink();
                model.Unlink(i);
                break;
            default:
                name << "Destroy " << i;
                elements[i].Destroy();
                model.Destroy(i);
                break;
            }
            Check(model, name.str());
            host.Pump();
        }
        for (auto& element : elements) {
            element.Destroy();
            // An element unlinked from a destroyed parent is reachable only
            // through its own object.
        }
        for (int i = 0; i < kElements; ++i)
            EXPECT_FALSE(elements[i].IsCreated());
        EXPECT_EQ(host.FirstElement(), nullptr);
        EXPECT_EQ(host.LastElement(), nullptr);
        host.Pump();
    }
}

TEST_F(TreeFixture, BringToEdgeOfTheOnlyMemberKeepsItAsBothEnds)
{
    elements[0].Create(host.Window(), {0, 0, 4, 4}, ElementClass::Text, true);
    EXPECT_EQ(elements[0].BringToEdge(Edge::Bottom), nullptr);
    EXPECT_EQ(host.FirstElement(), &elements[0]);
    EXPECT_EQ(host.LastElement(), &elements[0]);
    elements[1].Create(elements[0], {0, 0, 4, 4}, ElementClass::Text, true);
    EXPECT_EQ(elements[1].BringToEdge(Edge::Top), nullptr);
    EXPECT_EQ(elements[0].FirstChild(), &elements[1]);
    EXPECT_EQ(elements[0].LastChild(), &elements[1]);
}

TEST_F(TreeFixture, BringToEdgeAnswersTheFormerEdgeAndInvalidatesOnlyWithRedraw)
{
    for (int i = 0; i < 3; ++i)
        elements[i].Create(host.Window(), {0, 0, 4, 4}, ElementClass::Text, true);
    host.Pump();
    host.Clear();
    EXPECT_EQ(elements[0].BringToEdge(Edge::Top, false), &elements[2]);
    host.Pump();
    EXPECT_TRUE(host.Received(QXM_INVALIDATE).empty());
    EXPECT_EQ(elements[0].BringToEdge(Edge::Bottom, true), &elements[1]);
    host.Pump();
    EXPECT_EQ(host.Received(QXM_INVALIDATE).size(), 1u);
}

TEST_F(TreeFixture, SetParentWithTheCurrentParentDoesNothing)
{
    elements[0].Create(host.Window(), {0, 0, 4, 4}, ElementClass::Text, true);
    elements[1].Create(elements[0], {0, 0, 4, 4}, ElementClass::Text, true);
    host.Pump();
    host.Clear();
    elements[1].SetParent(&elements[0]);
    elements[0].SetParent(nullptr);
    host.Pump();
    EXPECT_TRUE(host.received.empty());
}

TEST_F(TreeFixture, SetParentRefusesCyclesStrangersAndUncreatedParents)
{
    TestHost other;
    ProbeElement stranger;
    stranger.Create(other.Window(), {0, 0, 4, 4}, ElementClass::Text, true);
    elements[0].Create(host.Window(), {0, 0, 4, 4}, ElementClass::Text, true);
    elements[1].Create(elements[0], {0, 0, 4, 4}, ElementClass::Text, true);
    elements[2].Create(elements[1], {0, 0, 4, 4}, ElementClass::Text, true);

    elements[0].SetParent(&elements[2]);  // its own grandchild
    elements[0].SetParent(&elements[0]);  // itself
    elements[1].SetParent(&stranger);     // another host's element
    elements[1].SetParent(&elements[5]);  // never created
    EXPECT_EQ(elements[0].GetParent(), nullptr);
    EXPECT_EQ(elements[1].GetParent(), &elements[0]);
    EXPECT_EQ(host.FirstElement(), &elements[0]);
    EXPECT_EQ(host.LastElement(), &elements[0]);
    EXPECT_EQ(stranger.FirstChild(), nullptr);
    stranger.Destroy();
}

TEST_F(TreeFixture, CreateFailsWithoutAHostAndCanBeRetried)
{
    const HWND plain = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(elements[0].Create(plain, {0, 0, 4, 4}, ElementClass::Text, true), 0u);
    EXPECT_FALSE(elements[0].IsCreated());
    EXPECT_EQ(elements[1].Create(elements[2], {0, 0, 4, 4}, ElementClass::Text, true), 0u);
    EXPECT_FALSE(elements[1].IsCreated());
    EXPECT_TRUE(elements[0].calls.empty());
    DestroyWindow(plain);

    EXPECT_EQ(elements[0].Create(host.Window(), {0, 0, 4, 4}, ElementClass::Text, true), elements[0].Self());
    EXPECT_EQ(elements[1].Create(elements[0], {0, 0, 4, 4}, ElementClass::Text, true), elements[1].Self());
    EXPECT_EQ(elements[0].FirstChild(), &elements[1]);
}

TEST_F(TreeFixture, CreateTwiceKeepsOneListEntry)
{
    elements[0].Create(host.Window(), {0, 0, 4, 4}, ElementClass::Text, true);
    elements[1].Create(host.Window(), {0, 0, 4, 4}, ElementClass::Text, true);
    host.Pump();
    const std::size_t eventsBefore = elements[0].calls.size();
    EXPECT_EQ(elements[0].Create(host.Window(), {5, 5, 8, 8}, ElementClass::Label, false), elements[0].Self());
    EXPECT_EQ(elements[0].calls.size(), eventsBefore);
    EXPECT_EQ(elements[0].Rect().left, 0.0f);
    EXPECT_EQ(host.FirstElement(), &elements[0]);
    EXPECT_EQ(host.LastElement(), &elements[1]);
    EXPECT_EQ(elements[1].NextSibling(), nullptr);
}

TEST_F(TreeFixture, CreateFillsTheFieldsAndDeliversCreateThenPaint)
{
    ElementOptions options;
    options.focusable = false;
    options.systemCursor = IDC_HAND;
    options.frameInterval = 60;
    options.frameCount = 5;
    options.transitionEffect = 2;
    ProbeElement& e = elements[0];
    EXPECT_EQ(e.Create(host.Window(), {1.5f, 2.5f, 10.7f, 6.2f}, ElementClass::Label, true, options), e.Self());
    EXPECT_EQ(e.GetHwnd(), host.Window());
    EXPECT_EQ(e.Host(), &host);
    EXPECT_EQ(e.ClassId(), ElementClass::Label);
    EXPECT_TRUE(e.Visible());
    EXPECT_FALSE(e.Focusable());
    EXPECT_FALSE(e.Disabled());
    EXPECT_TRUE(e.UpdatesEnabled());
    EXPECT_EQ(e.Alpha(), 255);
    EXPECT_EQ(e.Cursor(), LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
    EXPECT_EQ(e.FrameInterval(), 60);
    EXPECT_EQ(e.FrameCount(), 5);
    EXPECT_EQ(e.FrameIndex(), 0);
    EXPECT_EQ(e.TransitionEffect(), 2);
    EXPECT_EQ(e.Text(), "");

    // The canvas is the truncated size of the rectangle, 32bpp ARGB.
    ASSERT_NE(e.Canvas(), nullptr);
    ASSERT_NE(e.CanvasGraphics(), nullptr);
    UINT width = 0, height = 0;
    Gdiplus::PixelFormat format = 0;
    Gdiplus::DllExports::GdipGetImageWidth(e.Canvas(), &width);
    Gdiplus::DllExports::GdipGetImageHeight(e.Canvas(), &height);
    Gdiplus::DllExports::GdipGetImagePixelFormat(e.Canvas(), &format);
    EXPECT_EQ(width, 10u);
    EXPECT_EQ(height, 6u);
    EXPECT_EQ(format, PixelFormat32bppARGB);
    Gdiplus::SmoothingMode smoothing = Gdiplus::SmoothingModeInvalid;
    Gdiplus::DllExports::GdipGetSmoothingMode(e.CanvasGraphics(), &smoothing);
    EXPECT_EQ(smoothing, Gdiplus::SmoothingModeAntiAlias);

    ASSERT_EQ(e.calls.size(), 2u);
    EXPECT_EQ(e.calls[0].code, static_cast<UINT>(WM_CREATE));
    EXPECT_EQ(e.calls[0].wparam, reinterpret_cast<WPARAM>(e.Canvas()));
    EXPECT_EQ(e.calls[0].lparam, reinterpret_cast<LPARAM>(e.CanvasGraphics()));
    EXPECT_EQ(e.calls[1].code, static_cast<UINT>(WM_PAINT));
    EXPECT_EQ(e.calls[1].wparam, reinterpret_cast<WPARAM>(e.Canvas()));
    // Both travelled through the host window.
    EXPECT_EQ(host.Received(QXM_EVENT).size(), 2u);
}

TEST_F(TreeFixture, DestroyTakesDescendantsFirstAndTheSecondCallDoesNothing)
{
    std::vector<std::string> log;
    for (int i = 0; i < 4; ++i) {
        elements[i].log = &log;
        elements[i].name = std::to_string(i);
    }
    ProbeElement& root = elements[0];
    root.Create(host.Window(), {10, 10, 40, 40}, ElementClass::Text, true);
    elements[1].Create(root, {12, 12, 10, 10}, ElementClass::Text, true);
    elements[2].Create(elements[1], {13, 13, 4, 4}, ElementClass::Text, true);
    elements[3].Create(root, {30, 30, 10, 10}, ElementClass::Text, true);
    bool handlerSawDestroy = false;
    root.OnEvent(WM_DESTROY, [&](const ElementEvent&) { handlerSawDestroy = true; });
    root.SetText("caption");
    root.SetTag("tag");
    root.SetUserData(&log);
    host.SetFocusElement(&root);
    host.SetHoverElement(&root);
    host.SetPressedElement(&root, true);
    host.SetFocusCueElement(&root);
    host.Pump();
    host.Clear();
    log.clear();

    root.Destroy();
    const std::vector<std::string> expected = {"2:proc:2", "1:proc:2", "3:proc:2", "0:proc:2"};
    EXPECT_EQ(log, expected);
    EXPECT_FALSE(handlerSawDestroy);
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(elements[i].IsCreated());
        EXPECT_EQ(elements[i].Host(), nullptr);
        EXPECT_EQ(elements[i].Canvas(), nullptr);
        EXPECT_EQ(elements[i].GetParent(), nullptr);
    }
    EXPECT_EQ(root.Text(), "");
    EXPECT_EQ(root.Tag(), "");
    EXPECT_EQ(root.UserData(), nullptr);
    EXPECT_EQ(root.Handlers().Size(), 0u);
    EXPECT_EQ(host.FocusElement(), nullptr);
    EXPECT_EQ(host.HoverElement(), nullptr);
    EXPECT_EQ(host.PressedElement(), nullptr);
    EXPECT_FALSE(host.PressTracked());
    EXPECT_EQ(host.FocusCueElement(), nullptr);
    EXPECT_EQ(host.FirstElement(), nullptr);

    // The posted repaints still read the area the root occupied.
    host.Pump();
    const auto invalidated = host.Received(QXM_INVALIDATE);
    ASSERT_EQ(invalidated.size(), 4u);
    EXPECT_EQ(invalidated[0].lparam, reinterpret_cast<LPARAM>(&root.Rect()));
    EXPECT_TRUE(invalidated[0].rect.SameAs({10, 10, 40, 40}));

    host.Clear();
    log.clear();
    root.Destroy();
    host.Pump();
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(host.received.empty());

    // A destroyed element can be created again.
    EXPECT_EQ(root.Create(host.Window(), {0, 0, 4, 4}, ElementClass::Text, true), root.Self());
    EXPECT_EQ(root.FirstChild(), nullptr);
}

TEST_F(TreeFixture, DestroyOfANeverCreatedElementDoesNothing)
{
    elements[0].Destroy();
    elements[0].Unlink();
    EXPECT_EQ(elements[0].BringToEdge(), nullptr);
    host.Pump();
    EXPECT_TRUE(elements[0].calls.empty());
    EXPECT_TRUE(host.received.empty());
}

TEST_F(TreeFixture, FreeingACreatedElementLeavesNoDanglingLinks)
{
    elements[0].Create(host.Window(), {0, 0, 4, 4}, ElementClass::Text, true);
    {
        ProbeElement transient;
        transient.Create(host.Window(), {0, 0, 4, 4}, ElementClass::Text, true);
        elements[1].Create(transient, {0, 0, 4, 4}, ElementClass::Text, true);
        host.SetFocusElement(&transient);
        host.Pump();
    }
    EXPECT_EQ(host.FirstElement(), &elements[0]);
    EXPECT_EQ(host.LastElement(), &elements[0]);
    EXPECT_EQ(elements[0].NextSibling(), nullptr);
    EXPECT_EQ(host.FocusElement(), nullptr);
    // Its child was destroyed with it, through its own class.
    EXPECT_FALSE(elements[1].IsCreated());
    EXPECT_EQ(elements[1].Count(WM_DESTROY), 1);
    host.Pump();
}

TEST(ElementHostTest, AHostThatGoesDestroysTheElementsStillOnIt)
{
    ProbeElement top, child, unlinkedChild;
    {
        TestHost host;
        top.Create(host.Window(), {0, 0, 4, 4}, ElementClass::Text, true);
        child.Create(top, {0, 0, 4, 4}, ElementClass::Text, true);
        unlinkedChild.Create(top, {0, 0, 4, 4}, ElementClass::Text, true);
        unlinkedChild.Unlink();
        host.Pump();
    }
    // Unlinked elements are out of every list but still on the host.
    for (ProbeElement* element : {&top, &child, &unlinkedChild}) {
        EXPECT_FALSE(element->IsCreated());
        EXPECT_EQ(element->Host(), nullptr);
        EXPECT_EQ(element->Count(WM_DESTROY), 1);
    }
}

} // namespace

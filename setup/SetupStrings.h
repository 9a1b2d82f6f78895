// Names the installer and the uninstaller share: registry paths, files,
// processes, windows and the texts the user reads. GBK once compiled.
#pragma once

namespace SetupStrings {

inline constexpr char kWindowClass[] = "Quenby";
inline constexpr char kWindowTitle[] = "Tavrin 安装向导";
inline constexpr char kUninstallerName[] = "uninstall.exe";

inline constexpr char kConfirmText[] = "是否卸载 Tavrin ？";
inline constexpr char kConfirmCaption[] = "卸载 Tavrin";
inline constexpr char kUninstallDoneText[] = "Tavrin 卸载完毕！\r\n\r\n剩余文件您可以手动删除：\r\n\r\n";
inline constexpr char kUninstallDoneCaption[] = "卸载完毕";

inline constexpr char kProductImage[] = "Tavrin.exe";
inline constexpr char kApplicationImage[] = "Zarvel.exe";

// Under HKEY_CURRENT_USER.
inline constexpr char kSettingsKey[] = "Software\\Zarvel";
inline constexpr char kInstallPathValue[] = "Software\\Zarvel\\InstallPath";
inline constexpr char kRunValue[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Zarvel";
// Under HKEY_LOCAL_MACHINE.
inline constexpr char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zarvel";

// Inside the installation folder.
inline constexpr char kFileListName[] = "updatelist.xml";
inline constexpr char kFileListNode[] = "root/files";
inline constexpr char kDownloadFolder[] = "download";

// Appended to the common desktop and common programs folders.
inline constexpr char kDesktopLink[] = "\\Tavrin.lnk";
inline constexpr char kPublisherFolder[] = "\\Mervix";
inline constexpr char kProgramFolder[] = "\\Mervix\\Zarvel";
inline constexpr char kProgramLink[] = "\\Mervix\\Zarvel\\Tavrin.lnk";
inline constexpr char kUninstallLink[] = "\\Mervix\\Zarvel\\卸载.lnk";

} // namespace SetupStrings

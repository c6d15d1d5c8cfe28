#pragma once

// Names and texts the program shows or leaves behind, kept in one place because
// other programs (installers, the updater, the About dialog) rely on them.
namespace zarkit::product {

inline constexpr char kVersion[] = "1.0.2.1001";
inline constexpr char kProductName[] = "VELMOR Zarkit";
inline constexpr char kHomePage[] = "http://www.velmorsoft.com/";
inline constexpr char kSupportEmail[] = "support@velmorsoft.com";

inline constexpr char kAppTitle[] = "Zarkit";
inline constexpr char kDrawerClassName[] = "Zarkit";
inline constexpr char kDrawerTitle[] = "Zarkit";
inline constexpr char kMutexName[] = "VELMOR ZARKIT MUTEX";
inline constexpr char kAlreadyRunning[] = "Zarkit already Running!";

inline constexpr char kConfigFileName[] = "config.ini";
inline constexpr char kConfigSection[] = "SoftInfo";
inline constexpr char kConfigProductNameKey[] = "ProductName";
inline constexpr char kConfigProductVersionKey[] = "ProductVersion";
inline constexpr char kUpdaterFileName[] = "Update.exe";
inline constexpr char kProbeFileName[] = "brisvane.html";
inline constexpr char kStoreFileName[] = "info_data.xml";
inline constexpr char kHelpFileName[] = "Zarkit.chm";

}  // namespace zarkit::product

// Setup's product constants, in the bytes the programs show and write.
#pragma once

namespace Product
{

// The installation key keeps "V8" and "8.00" while the titles say V7.0: existing installations
// and the uninstaller read these values as they stand.
inline constexpr char kInstallKey[] = "SOFTWARE\\Quorvane\\enggQELMAR\\V8";
inline constexpr char kInstallPathValue[] = "installPath";
inline constexpr char kVersionValue[] = "Ver";
inline constexpr char kVersion[] = "8.00";

inline constexpr char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QELMAR V7";
inline constexpr char kDisplayName[] = "土方工程量计算软件 QELMAR V7.0";
inline constexpr char kDisplayVersion[] = "7.0";

inline constexpr char kPublisher[] = "Vindrel科技有限公司";
inline constexpr char kWebAddress[] = "www.vindrel.com.cn";
inline constexpr char kWebLink[] = "http://www.vindrel.com.cn/";
inline constexpr char kHotline[] = "4006187520";

inline constexpr char kSetupExe[] = "setup.exe";
inline constexpr char kUninstallExe[] = "Uninstall.exe";
inline constexpr char kIconFile[] = "QELMARV7.0.ico";
inline constexpr char kLogFile[] = "Uninstall.log";
inline constexpr char kControlsFolder[] = "Controls\\";

// The medium's folders copied into the installation folder, in this order.
inline constexpr const char* kInstallFolders[] = {"Support",  "Controls", "图框", "模板",
                                                  "Database", "Data",     "Temp"};

} // namespace Product

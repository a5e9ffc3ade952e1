#include "app/forms/HelpFile.h"

#include "platform/rtl/FileUtils.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Shell.h"

std::string ClinicHelpFile() { return ExtractFilePath(ParamStr(0)) + "help/index.html"; }

bool OpenHelpFile(const std::string& File) {
    if (!FileExists(File)) {
        Application->MessageBox("找不到帮助文件：" + File, "提示", MB_OK);
        return false;
    }
    if (ShellOpen(File)) return true;
    Application->MessageBox("无法打开帮助文件：" + File + "\n请用浏览器打开该文件。", "提示", MB_OK);
    return false;
}

// The Chinese texts of the string table: five window blocks, then the keys of the report
// engine, the preview and the printer layer.
#include "report/Resources.h"

namespace {

const char* const kPreviewForm =
    "Caption=预览\n"
    "PrintB.Caption=打印\n"
    "PrintB.Hint=打印\n"
    "OpenB.Caption=打开\n"
    "OpenB.Hint=打开\n"
    "SaveB.Caption=保存\n"
    "SaveB.Hint=保存\n"
    "ExportB.Caption=导出\n"
    "ExportB.Hint=导出\n"
    "FindB.Caption=查找\n"
    "FindB.Hint=查找\n"
    "ZoomWholePageB.Caption=整页\n"
    "ZoomWholePageB.Hint=整页\n"
    "ZoomPageWidthB.Caption=页宽\n"
    "ZoomPageWidthB.Hint=页宽\n"
    "Zoom100B.Caption=100%\n"
    "Zoom100B.Hint=100%\n"
    "Zoom50B.Caption=两页\n"
    "Zoom50B.Hint=两页\n"
    "ZoomCB.Hint=缩放\n"
    "PageSettingsB.Caption=页面设置\n"
    "PageSettingsB.Hint=页面设置\n"
    "OutlineB.Caption=略图\n"
    "OutlineB.Hint=略图\n"
    "HandToolB.Caption=拖拽\n"
    "HandToolB.Hint=拖拽\n"
    "ZoomToolB.Caption=缩放工具\n"
    "ZoomToolB.Hint=缩放工具\n"
    "NewPageB.Caption=增加页\n"
    "NewPageB.Hint=增加页\n"
    "DelPageB.Caption=删除\n"
    "DelPageB.Hint=删除页\n"
    "DesignerB.Caption=编辑\n"
    "DesignerB.Hint=编辑页\n"
    "FirstB.Caption=首页\n"
    "FirstB.Hint=首页\n"
    "PriorB.Caption=前页\n"
    "PriorB.Hint=前页\n"
    "NextB.Caption=下页\n"
    "NextB.Hint=下页\n"
    "LastB.Caption=末页\n"
    "LastB.Hint=末页\n"
    "CancelB.Caption=关闭\n"
    "PageE.Hint=页数";

const char* const kPrintDialog =
    "Caption=打印\n"
    "Label12.Caption=打印机\n"
    "PropButton.Caption=属性...\n"
    "TypeL.Caption=类型:\n"
    "WhereL.Caption=位置:\n"
    "FileCB.Caption=打印到文件\n"
    "ReverseCB.Caption=翻转页\n"
    "Label1.Caption=页码\n"
    "AllRB.Caption=全部\n"
    "CurPageRB.Caption=当前页\n"
    "PageNumbersRB.Caption=页码:\n"
    "DescrL.Caption=请输入页码和/或以逗号分开的页码范围。 例如： 1,3,5-12\n"
    "Label2.Caption=副本\n"
    "CopiesL.Caption=打印份数\n"
    "CollateL.Caption=逐份打印\n"
    "PrintL.Caption=打印\n"
    "OkB.Caption=确定\n"
    "CancelB.Caption=取消";

const char* const kSearchDialog =
    "Caption=查找文本\n"
    "TextL.Caption=欲查找的文本:\n"
    "ReplaceL.Caption=替换为\n"
    "SearchL.Caption=查找选项\n"
    "TopCB.Caption=从头查找\n"
    "CaseCB.Caption=区分大小写\n"
    "OkB.Caption=确定\n"
    "CancelB.Caption=取消";

const char* const kPageSettingsForm =
    "Caption=页面设置\n"
    "SizeL.Caption=尺寸\n"
    "WidthL.Caption=宽度\n"
    "HeightL.Caption=高度\n"
    "OrientationL.Caption=方向\n"
    "PortraitRB.Caption=纵向\n"
    "LandscapeRB.Caption=横向\n"
    "MarginsL.Caption=页边\n"
    "LeftL.Caption=左\n"
    "TopL.Caption=上\n"
    "RightL.Caption=右\n"
    "BottomL.Caption=下\n"
    "cmL1.Caption=厘米\n"
    "cmL2.Caption=厘米\n"
    "cmL3.Caption=厘米\n"
    "cmL4.Caption=厘米\n"
    "cmL5.Caption=厘米\n"
    "cmL6.Caption=厘米\n"
    "OtherL.Caption=其他\n"
    "ApplyToCurRB.Caption=应用到当前页\n"
    "ApplyToAllRB.Caption=应用到全部页\n"
    "OKB.Caption=确定\n"
    "CancelB.Caption=取消";

const char* const kDMPExportDialog =
    "Caption=打印\n"
    "PrinterL.Caption=打印机\n"
    "PagesL.Caption=页码\n"
    "CopiesL.Caption=打印份数\n"
    "DescrL.Caption=请输入页码和/或以逗号分开的页码范围。 例如： 1,3,5-12\n"
    "OptionsL.Caption=选项\n"
    "EscCB.Caption=退出指令\n"
    "OkB.Caption=确定\n"
    "CancelB.Caption=取消\n"
    "FileCB.Caption=打印到文件\n"
    "AllRB.Caption=全部\n"
    "CurPageRB.Caption=当前页\n"
    "PageNumbersRB.Caption=页码:\n"
    "PrintL.Caption=打印\n"
    "PageBreaksCB.Caption=分页\n"
    "OemCB.Caption=OEM 代码页\n"
    "PseudoCB.Caption=伪托机打印\n"
    "SaveDialog1.Filter=打印机文件 (*.prn)|*.prn";

struct TResEntry {
    const char* Key;
    const char* Text;
};

// ORDER CHINESE-TABLE: the order of addition.
const TResEntry kChinese[] = {
    {"TfrxPreviewForm", kPreviewForm},
    {"zmPageWidth", "页宽"},
    {"zmWholePage", "整页"},
    {"TfrxPrintDialog", kPrintDialog},
    {"ppAll", "全部页"},
    {"ppOdd", "奇数页"},
    {"ppEven", "偶数页"},
    {"TfrxSearchDialog", kSearchDialog},
    {"TfrxPageSettingsForm", kPageSettingsForm},
    {"TfrxDMPExportDialog", kDMPExportDialog},
    {"mbConfirm", "确认"},
    {"mbError", "错误"},
    {"mbInfo", "信息"},
    {"xrCantFindClass", "未找到类"},
    {"prVirtual", "虚拟"},
    {"prDefault", "默认"},
    {"prCustom", "自定义"},
    {"enUnconnHeader", "未连接的页眉/页脚"},
    {"enUnconnGroup", "该组无数据区带"},
    {"enUnconnGFooter", "无组头"},
    {"enBandPos", "不正确的区带位置:"},
    {"dbNotConn", "数据集 %s 没有连接数据"},
    {"dbFldNotFound", "字段未找到:"},
    {"clDSNotIncl", "(Report.DataSets未包含数据集)"},
    {"clUnknownVar", "不明变量或数据字段:"},
    {"clScrError", "脚本错误位于 %s: %s"},
    {"clDSNotExist", "数据集 \"%s\" 不存在"},
    {"clErrors", "发生一下错误:"},
    {"clExprError", "公式错误"},
    {"clBP3files", "成品报表"},
    {"clSaving", "保存文件..."},
    {"clCancel", "取消"},
    {"clClose", "关闭"},
    {"clPrinting", "打印页"},
    {"clLoading", "载入文件..."},
    {"clPageOf", "第 %d 页 共 %d 页"},
    {"clFirstPass", "第一遍: 页 "},
    {"clNoPrinters", "系统未安装打印机"},
    {"clDecompressError", "流解压缩错误"},
    {"crFillMx", "填充交叉表..."},
    {"crBuildMx", "创建交叉表..."},
    // The component tree and the datasets raise these; without them the errors would
    // read as their keys until the designer added its texts.
    {"prDupl", "重复命名"},
    {"prInvProp", "非法属性值"},
    // Errors of the layout engine that stop a report which would otherwise never end.
    {"enSubRepCycle", "子报表循环引用页面:"},
    // A script that would free or reload objects the running report is walking.
    {"clNotWhileRunning", "报表运行时不允许调用 %s"},
    // The preview's own texts: what its dialogs and its zoom box say of a bad entry, the
    // progress of a long search and the pop-up item that opens the template.
    {"clInvalidCopies", "\"%s\" 不是有效的打印份数"},
    {"clInvalidSize", "\"%s\" 不是有效的纸张尺寸"},
    {"clInvalidMargin", "\"%s\" 不是有效的页边距"},
    {"clInvalidZoom", "\"%s\" 不是有效的缩放比例，请输入数字，例如 150%%"},
    {"clSearching", "正在查找: 第 %d 页 共 %d 页"},
    {"clShowTemplate", "显示模板"},
    // The printer-command object of dot-matrix pages.
    {"obDMPCmd", "点阵命令对象"},
};
static_assert(sizeof(kChinese) / sizeof(kChinese[0]) == 5 + 36 + 2 + 1 + 1 + 6 + 1,
              "5 blocks, 36 keys, 2 shared texts, 1 engine error, 1 script error, 6 texts of the preview, "
              "1 object name");

}  // namespace

void frxAddChineseResources(TfrxResources& Res) {
    for (const TResEntry& e : kChinese) Res.Add(e.Key, e.Text);
}

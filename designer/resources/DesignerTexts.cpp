// The designer's Chinese texts. Window blocks hold one "Component.Property=Value" line per
// text, each ended by CR LF; the form's own properties stand without a component name.
#include "designer/resources/DesignerTexts.h"

#include "report/Resources.h"

namespace {

const char* const kObjectInspector =
    "Caption=对象查看器\r\n";

const char* const kDataTreeForm =
    "Caption=数据树\r\n"
    "DataTS.Caption=数据\r\n"
    "VariablesTS.Caption=变量\r\n"
    "FunctionsTS.Caption=函数\r\n"
    "InsFieldCB.Caption=创建字段\r\n"
    "InsCaptionCB.Caption=创建标题\r\n";

const char* const kReportTreeForm =
    "Caption=报表树\r\n";

// The designer window: tool bars and their buttons, menus, actions, the band menu (vertical
// bands in their own sub-menu), the rotation items and the dot-matrix font items.
const char* const kDesignerForm =
    "TextTB.Caption=文本\r\n"
    "FrameTB.Caption=边框\r\n"
    "StandardTB.Caption=标准\r\n"
    "AlignTB.Caption=对齐\r\n"
    "ExtraToolsTB.Caption=附加工具\r\n"
    "NewB.Hint=新建报表\r\n"
    "OpenB.Hint=打开报表\r\n"
    "SaveB.Hint=保存报表\r\n"
    "PreviewB.Hint=预览\r\n"
    "NewPageB.Hint=新报表页\r\n"
    "NewDialogB.Hint=新对话框页\r\n"
    "DeletePageB.Hint=删除页\r\n"
    "PageSettingsB.Hint=页面设置\r\n"
    "VariablesB.Hint=变量\r\n"
    "CutB.Hint=剪切\r\n"
    "CopyB.Hint=复制\r\n"
    "PasteB.Hint=粘贴\r\n"
    "SampleFormatB.Hint=复制格式\r\n"
    "UndoB.Hint=撤销\r\n"
    "RedoB.Hint=重做\r\n"
    "GroupB.Hint=组合\r\n"
    "UngroupB.Hint=取消组合\r\n"
    "ShowGridB.Hint=显示网格\r\n"
    "AlignToGridB.Hint=对齐到网格\r\n"
    "SetToGridB.Hint=适合网格\r\n"
    "ScaleCB.Hint=缩放\r\n"
    "StyleCB.Hint=交叉表样式\r\n"
    "FontNameCB.Hint=字体名称\r\n"
    "FontSizeCB.Hint=字体大小\r\n"
    "BoldB.Hint=粗体\r\n"
    "ItalicB.Hint=斜体\r\n"
    "UnderlineB.Hint=下划线\r\n"
    "FontColorB.Hint=字体颜色\r\n"
    "HighlightB.Hint=高亮\r\n"
    "RotateB.Hint=文本旋转\r\n"
    "TextAlignLeftB.Hint=左对齐\r\n"
    "TextAlignCenterB.Hint=居中\r\n"
    "TextAlignRightB.Hint=右对齐\r\n"
    "TextAlignBlockB.Hint=两端对齐\r\n"
    "TextAlignTopB.Hint=顶端对齐\r\n"
    "TextAlignMiddleB.Hint=垂直居中\r\n"
    "TextAlignBottomB.Hint=底端对齐\r\n"
    "FontB.Hint=字体设置\r\n"
    "FrameTopB.Hint=上边框\r\n"
    "FrameBottomB.Hint=下边框\r\n"
    "FrameLeftB.Hint=左边框\r\n"
    "FrameRightB.Hint=右边框\r\n"
    "FrameAllB.Hint=全部边框\r\n"
    "FrameNoB.Hint=无边框\r\n"
    "ShadowB.Hint=阴影\r\n"
    "FillColorB.Hint=填充颜色\r\n"
    "FrameColorB.Hint=边框颜色\r\n"
    "FrameStyleB.Hint=边框样式\r\n"
    "FrameWidthCB.Hint=边框宽度\r\n"
    "AlignLeftsB.Hint=左边对齐\r\n"
    "AlignHorzCentersB.Hint=水平中心对齐\r\n"
    "AlignRightsB.Hint=右边对齐\r\n"
    "AlignTopsB.Hint=顶边对齐\r\n"
    "AlignVertCentersB.Hint=垂直中心对齐\r\n"
    "AlignBottomsB.Hint=底边对齐\r\n"
    "SpaceHorzB.Hint=水平等间距\r\n"
    "SpaceVertB.Hint=垂直等间距\r\n"
    "CenterHorzB.Hint=在区带中水平居中\r\n"
    "CenterVertB.Hint=在区带中垂直居中\r\n"
    "SameWidthB.Hint=相同宽度\r\n"
    "SameHeightB.Hint=相同高度\r\n"
    "ObjectSelectB.Hint=选择工具\r\n"
    "HandToolB.Hint=手形工具\r\n"
    "ZoomToolB.Hint=缩放工具\r\n"
    "TextToolB.Hint=文本编辑工具\r\n"
    "FormatToolB.Hint=复制格式工具\r\n"
    "ObjectBandB.Hint=插入区带\r\n"
    "LangL.Caption=脚本语言:\r\n"
    "OpenScriptB.Hint=打开脚本文件\r\n"
    "SaveScriptB.Hint=保存脚本到文件\r\n"
    "RunScriptB.Hint=运行脚本\r\n"
    "StepScriptB.Hint=单步运行\r\n"
    "StopScriptB.Hint=停止脚本\r\n"
    "EvaluateB.Hint=求值\r\n"
    "FileMenu.Caption=文件(&F)\r\n"
    "EditMenu.Caption=编辑(&E)\r\n"
    "ReportMenu.Caption=报表(&R)\r\n"
    "ViewMenu.Caption=查看(&V)\r\n"
    "HelpMenu.Caption=帮助(&H)\r\n"
    "ExitCmd.Caption=退出\r\n"
    "CutCmd.Caption=剪切\r\n"
    "CopyCmd.Caption=复制\r\n"
    "PasteCmd.Caption=粘贴\r\n"
    "UndoCmd.Caption=撤销\r\n"
    "RedoCmd.Caption=重做\r\n"
    "DeleteCmd.Caption=删除\r\n"
    "SelectAllCmd.Caption=全选\r\n"
    "EditCmd.Caption=编辑...\r\n"
    "BringToFrontCmd.Caption=置于顶层\r\n"
    "SendToBackCmd.Caption=置于底层\r\n"
    "DeletePageCmd.Caption=删除页\r\n"
    "NewItemCmd.Caption=新建...\r\n"
    "NewPageCmd.Caption=新报表页\r\n"
    "NewDialogCmd.Caption=新对话框页\r\n"
    "NewReportCmd.Caption=新建报表\r\n"
    "OpenCmd.Caption=打开...\r\n"
    "SaveCmd.Caption=保存\r\n"
    "SaveAsCmd.Caption=另存为...\r\n"
    "VariablesCmd.Caption=变量...\r\n"
    "PageSettingsCmd.Caption=页面设置...\r\n"
    "PreviewCmd.Caption=预览\r\n"
    "GroupCmd.Caption=组合\r\n"
    "UngroupCmd.Caption=取消组合\r\n"
    "FindMI.Caption=查找...\r\n"
    "FindNextMI.Caption=查找下一个\r\n"
    "ReplaceMI.Caption=替换...\r\n"
    "ReportSettingsMI.Caption=选项...\r\n"
    "ReportDataMI.Caption=数据...\r\n"
    "ReportStylesMI.Caption=样式...\r\n"
    "OptionsMI.Caption=设计器选项...\r\n"
    "ToolbarsMI.Caption=工具栏\r\n"
    "StandardMI.Caption=标准\r\n"
    "TextMI.Caption=文本\r\n"
    "FrameMI.Caption=边框\r\n"
    "AlignmentMI.Caption=对齐调色板\r\n"
    "ToolsMI.Caption=附加工具\r\n"
    "InspectorMI.Caption=对象查看器\r\n"
    "DataTreeMI.Caption=数据树\r\n"
    "ReportTreeMI.Caption=报表树\r\n"
    "ShowRulersMI.Caption=标尺\r\n"
    "ShowGuidesMI.Caption=参考线\r\n"
    "DeleteGuidesMI.Caption=删除参考线\r\n"
    "TabOrderMI.Caption=Tab 顺序...\r\n"
    "HelpContentsMI.Caption=帮助内容...\r\n"
    "AboutMI.Caption=关于...\r\n"
    "ReportTitleMI.Caption=报表标题\r\n"
    "ReportSummaryMI.Caption=报表总结\r\n"
    "PageHeaderMI.Caption=页眉\r\n"
    "PageFooterMI.Caption=页脚\r\n"
    "HeaderMI.Caption=栏头\r\n"
    "FooterMI.Caption=栏脚\r\n"
    "MasterDataMI.Caption=主数据\r\n"
    "DetailDataMI.Caption=明细数据\r\n"
    "SubdetailDataMI.Caption=子明细数据\r\n"
    "Data4levelMI.Caption=第 4 层数据\r\n"
    "Data5levelMI.Caption=第 5 层数据\r\n"
    "Data6levelMI.Caption=第 6 层数据\r\n"
    "GroupHeaderMI.Caption=组头\r\n"
    "GroupFooterMI.Caption=组尾\r\n"
    "ChildMI.Caption=子区带\r\n"
    "ColumnHeaderMI.Caption=列头\r\n"
    "ColumnFooterMI.Caption=列尾\r\n"
    "OverlayMI.Caption=覆盖层\r\n"
    "VerticalbandsMI.Caption=垂直区带\r\n"
    "VHeaderMI.Caption=栏头\r\n"
    "VFooterMI.Caption=栏脚\r\n"
    "VMasterDataMI.Caption=主数据\r\n"
    "VDetailDataMI.Caption=明细数据\r\n"
    "VSubdetailDataMI.Caption=子明细数据\r\n"
    "VData4levelMI.Caption=第 4 层数据\r\n"
    "VData5levelMI.Caption=第 5 层数据\r\n"
    "VData6levelMI.Caption=第 6 层数据\r\n"
    "VGroupHeaderMI.Caption=组头\r\n"
    "VGroupFooterMI.Caption=组尾\r\n"
    "VChildMI.Caption=子区带\r\n"
    "R0MI.Caption=0°\r\n"
    "R45MI.Caption=45°\r\n"
    "R90MI.Caption=90°\r\n"
    "R180MI.Caption=180°\r\n"
    "R270MI.Caption=270°\r\n"
    "BoldMI.Caption=粗体\r\n"
    "ItalicMI.Caption=斜体\r\n"
    "UnderlineMI.Caption=下划线\r\n"
    "SuperScriptMI.Caption=上标\r\n"
    "SubScriptMI.Caption=下标\r\n"
    "CondensedMI.Caption=浓缩\r\n"
    "WideMI.Caption=宽度\r\n"
    "N12cpiMI.Caption=12 cpi\r\n"
    "N15cpiMI.Caption=15 cpi\r\n";

const char* const kAboutForm =
    "Caption=关于 Brightline\r\n"
    "TitleL.Caption=Brightline\r\n"
    "VersionL.Caption=报表设计器\r\n"
    "Button1.Caption=确定\r\n";

const char* const kPageEditorForm =
    "Caption=页面选项\r\n"
    "OkB.Caption=确定\r\n"
    "CancelB.Caption=取消\r\n"
    "PaperTS.Caption=纸张\r\n"
    "OtherTS.Caption=其他选项\r\n"
    "PaperGB.Caption=尺寸\r\n"
    "WidthL.Caption=宽度\r\n"
    "HeightL.Caption=高度\r\n"
    "SizeL.Caption=尺寸\r\n"
    "OrientationGB.Caption=方向\r\n"
    "PortraitRB.Caption=垂直\r\n"
    "LandscapeRB.Caption=水平\r\n"
    "MarginsGB.Caption=页边\r\n"
    "MarginLeftL.Caption=左\r\n"
    "MarginRightL.Caption=右\r\n"
    "MarginTopL.Caption=上\r\n"
    "MarginBottomL.Caption=下\r\n"
    "SourceGB.Caption=纸张源\r\n"
    "Tray1L.Caption=首页\r\n"
    "Tray2L.Caption=其他页\r\n"
    "ColumnsGB.Caption=分栏\r\n"
    "ColumnsNumberL.Caption=栏数\r\n"
    "ColumnWidthL.Caption=宽度\r\n"
    "ColumnPositionsL.Caption=位置\r\n"
    "LargeHeightCB.Caption=设计模式用加长长度\r\n"
    "DuplexL.Caption=双向\r\n"
    "PrintOnPrevCB.Caption=打印到上一页\r\n"
    "MirrorMarginsCB.Caption=镜像页边\r\n";

const char* const kReportDataForm =
    "Caption=选择报表数据集\r\n"
    "OKB.Caption=确定\r\n"
    "CancelB.Caption=取消\r\n";

const char* const kVarEditorForm =
    "Caption=编辑变量\r\n"
    "NewCategoryB.Caption=新分类\r\n"
    "NewVarB.Caption=新变量\r\n"
    "EditB.Caption=编辑\r\n"
    "DeleteB.Caption=删除\r\n"
    "EditListB.Caption=列表\r\n"
    "LoadB.Caption=载入\r\n"
    "SaveB.Caption=保存\r\n"
    "ExprPanel.Caption= 表达式:\r\n"
    "OkB.Caption=确定\r\n"
    "CancelB.Caption=取消\r\n"
    "OpenDialog1.Filter=字典 (*.bd3)|*.bd3\r\n"
    "SaveDialog1.Filter=字典 (*.bd3)|*.bd3\r\n";

const char* const kOptionsEditor =
    "Caption=设计器选项\r\n"
    "GridGB.Caption=网格\r\n"
    "TypeL.Caption=类型\r\n"
    "SizeL.Caption=大小\r\n"
    "DialogFormL.Caption=对话框:\r\n"
    "CMRB.Caption=厘米:\r\n"
    "InchesRB.Caption=英寸:\r\n"
    "PixelsRB.Caption=像素:\r\n"
    "CMUnitL.Caption=厘米\r\n"
    "InchesUnitL.Caption=英寸\r\n"
    "PixelsUnitL.Caption=像素\r\n"
    "ShowGridCB.Caption=显示网格\r\n"
    "AlignGridCB.Caption=对齐到网格\r\n"
    "LCDCB.Caption=液晶屏网格颜色\r\n"
    "FontsGB.Caption=字体\r\n"
    "CodeWindowL.Caption=代码窗口\r\n"
    "MemoEditorL.Caption=文本编辑器\r\n"
    "CodeSizeL.Caption=大小\r\n"
    "MemoSizeL.Caption=大小\r\n"
    "ObjectFontCB.Caption=使用对象的字体设置\r\n"
    "ColorsGB.Caption=颜色\r\n"
    "WorkspaceL.Caption=工作区\r\n"
    "ToolL.Caption=工具窗口\r\n"
    "WorkspaceB.Caption=颜色...\r\n"
    "ToolB.Caption=颜色...\r\n"
    "OtherGB.Caption=其他\r\n"
    "EditAfterInsCB.Caption=插入后显示编辑器\r\n"
    "BandsCaptionsCB.Caption=显示区带标题\r\n"
    "FreeBandsCB.Caption=自由放置区带\r\n"
    "GapL.Caption=区带间隙:\r\n"
    "RestoreDefaultsB.Caption=恢复默认值\r\n"
    "OkB.Caption=确定\r\n"
    "CancelB.Caption=取消\r\n";

const char* const kDataBandEditorForm =
    "Caption=选择数据集\r\n"
    "OkB.Caption=确定\r\n"
    "CancelB.Caption=取消\r\n";

const char* const kGroupEditorForm =
    "Caption=组\r\n"
    "BreakOnL.Caption=使用划分\r\n"
    "DataFieldRB.Caption=数据字段\r\n"
    "ExpressionRB.Caption=公式\r\n"
    "OptionsL.Caption=选项\r\n"
    "KeepGroupTogetherCB.Caption=保持共同分组\r\n"
    "StartNewPageCB.Caption=开始新页面\r\n"
    "OutlineCB.Caption=显示边线\r\n"
    "OKB.Caption=确定\r\n"
    "CancelB.Caption=取消\r\n";

const char* const kSysMemoEditorForm =
    "Caption=系统文本\r\n"
    "DataBandL.Caption=数据区带\r\n"
    "DataSetL.Caption=数据集\r\n"
    "DataFieldL.Caption=数据字段\r\n"
    "FunctionL.Caption=函数\r\n"
    "ExpressionL.Caption=表达式\r\n"
    "AggregateRB.Caption=集合值\r\n"
    "SysVariableRB.Caption=系统变量\r\n"
    "TextRB.Caption=文本\r\n"
    "CountInvisibleCB.Caption=统计不可见区带\r\n"
    "RunningTotalCB.Caption=累计\r\n"
    "OKB.Caption=确定\r\n"
    "CancelB.Caption=取消\r\n";

const char* const kOleEditorForm =
    "Caption=OLE 对象\r\n"
    "InsertB.Caption=插入...\r\n"
    "EditB.Caption=编辑...\r\n"
    "CloseB.Caption=关闭\r\n";

const char* const kBarcodeEditorForm =
    "Caption=条码编辑器\r\n"
    "CodeL.Caption=代码\r\n"
    "TypeL.Caption=条码类型\r\n"
    "ZoomL.Caption=缩放:\r\n"
    "OptionsL.Caption=选项\r\n"
    "RotationL.Caption=旋转\r\n"
    "CalcCheckSumCB.Caption=计算校验和\r\n"
    "ViewTextCB.Caption=显示文本\r\n"
    "Rotation0RB.Caption=0°\r\n"
    "Rotation90RB.Caption=90°\r\n"
    "Rotation180RB.Caption=180°\r\n"
    "Rotation270RB.Caption=270°\r\n"
    "OkB.Caption=确定\r\n"
    "CancelB.Caption=取消\r\n";

const char* const kAliasesEditorForm =
    "Caption=编辑别名\r\n"
    "HintL.Caption=请输入数据集及其字段的别名。\r\n"
    "DSAliasL.Caption=数据集别名\r\n"
    "FieldAliasesL.Caption=字段别名\r\n"
    "ResetB.Caption=重置\r\n"
    "OkB.Caption=确定\r\n"
    "CancelB.Caption=取消\r\n";

const char* const kParamsEditorForm =
    "Caption=参数编辑器\r\n"
    "OkB.Caption=确定\r\n"
    "CancelB.Caption=取消\r\n";

const char* const kMDEditorForm =
    "Caption=主-从连接\r\n"
    "DetailL.Caption=明细字段\r\n"
    "MasterL.Caption=主字段\r\n"
    "LinkedL.Caption=连接字段\r\n"
    "AddB.Caption=添加\r\n"
    "ClearB.Caption=清除\r\n"
    "OkB.Caption=确定\r\n"
    "CancelB.Caption=取消\r\n";

const char* const kMemoEditorForm =
    "Caption=文本\r\n"
    "ExprB.Hint=插入表达式\r\n"
    "AggregateB.Hint=插入集合\r\n"
    "LocalFormatB.Hint=插入格式\r\n"
    "WordWrapB.Hint=自动换行\r\n"
    "CancelB.Hint=取消\r\n"
    "OkB.Hint=确定\r\n";

const char* const kPictureEditorForm =
    "Caption=图片\r\n"
    "LoadB.Hint=载入\r\n"
    "CopyB.Hint=复制\r\n"
    "PasteB.Hint=粘贴\r\n"
    "ClearB.Hint=清除\r\n"
    "CancelB.Hint=取消\r\n"
    "OkB.Hint=确定\r\n";

const char* const kChartEditorForm =
    "Caption=图表编辑器\r\n"
    "AddB.Caption=添加\r\n"
    "DeleteB.Caption=删除\r\n"
    "EditChartB.Caption=编辑图表\r\n"
    "SourceGB.Caption=数据源\r\n"
    "DBSourceRB.Caption=数据集\r\n"
    "BandSourceRB.Caption=区带\r\n"
    "FixedDataRB.Caption=固定数据\r\n"
    "DatasetL.Caption=数据集\r\n"
    "DataBandL.Caption=数据区带\r\n"
    "XValuesL.Caption=X 值\r\n"
    "YValuesL.Caption=Y 值\r\n"
    "LabelsL.Caption=标签\r\n"
    "ValuesL.Caption=值\r\n"
    "HintL.Caption=请选择图表序列或添加新序列。\r\n"
    "SortL.Caption=排序\r\n"
    "XTypeL.Caption=X 轴类型\r\n"
    "TopNL.Caption=前 N 项\r\n"
    "TopNCaptionL.Caption=其他项标题\r\n"
    "SeriesTS.Caption=序列\r\n"
    "OptionsTS.Caption=选项\r\n"
    "ColorL.Caption=颜色\r\n"
    "LegendCB.Caption=显示图例\r\n"
    "Chart3DCB.Caption=三维\r\n"
    "AxisCB.Caption=显示坐标轴\r\n"
    "OkB.Caption=确定\r\n"
    "CancelB.Caption=取消\r\n";

const char* const kRichEditorForm =
    "Caption=富文本编辑器\r\n"
    "OpenB.Hint=打开文件\r\n"
    "SaveB.Hint=保存文件\r\n"
    "UndoB.Hint=撤销\r\n"
    "TTB.Hint=字体\r\n"
    "ExprB.Hint=插入表达式\r\n"
    "BoldB.Hint=粗体\r\n"
    "ItalicB.Hint=斜体\r\n"
    "UnderlineB.Hint=下划线\r\n"
    "LeftAlignB.Hint=左对齐\r\n"
    "CenterAlignB.Hint=居中\r\n"
    "RightAlignB.Hint=右对齐\r\n"
    "BlockAlignB.Hint=两端对齐\r\n"
    "BulletsB.Hint=项目符号\r\n"
    "CancelB.Hint=取消\r\n"
    "OkB.Hint=确定\r\n";

const char* const kCrossEditorForm =
    "Caption=交叉表编辑器\r\n"
    "DatasetL.Caption=源数据\r\n"
    "DimensionsL.Caption=维\r\n"
    "RowsL.Caption=行\r\n"
    "ColumnsL.Caption=列\r\n"
    "CellsL.Caption=单元格\r\n"
    "StructureL.Caption=交叉表结构\r\n"
    "RowHeaderCB.Caption=行头\r\n"
    "ColumnHeaderCB.Caption=列头\r\n"
    "RowTotalCB.Caption=行合计\r\n"
    "ColumnTotalCB.Caption=列合计\r\n"
    "SwapB.Hint=交换行/列\r\n"
    "StyleCB.Hint=交叉表样式\r\n"
    "FontB.Hint=字体\r\n"
    "AlignLeftB.Hint=左对齐\r\n"
    "AlignCenterB.Hint=居中\r\n"
    "AlignRightB.Hint=右对齐\r\n"
    "RotationB.Hint=旋转\r\n"
    "HighlightB.Hint=高亮\r\n"
    "FormatB.Hint=格式\r\n"
    "FrameB.Hint=边框\r\n"
    "FillColorB.Hint=填充颜色\r\n"
    "Func1MI.Caption=无\r\n"
    "Func2MI.Caption=求和\r\n"
    "Func3MI.Caption=最小\r\n"
    "Func4MI.Caption=最大\r\n"
    "Func5MI.Caption=平均\r\n"
    "Func6MI.Caption=个数\r\n"
    "Sort1MI.Caption=升序 (A-Z)\r\n"
    "Sort2MI.Caption=降序 (Z-A)\r\n"
    "Sort3MI.Caption=无排序\r\n"
    "BoldMI.Caption=粗体\r\n"
    "ItalicMI.Caption=斜体\r\n"
    "UnderlineMI.Caption=下划线\r\n"
    "SuperScriptMI.Caption=上标\r\n"
    "SubScriptMI.Caption=下标\r\n"
    "CondensedMI.Caption=浓缩\r\n"
    "WideMI.Caption=宽度\r\n"
    "N12cpiMI.Caption=12 cpi\r\n"
    "N15cpiMI.Caption=15 cpi\r\n"
    "OkB.Hint=确定\r\n"
    "CancelB.Hint=取消\r\n";

const char* const kExprEditorForm =
    "Caption=表达式编辑器\r\n"
    "ExprL.Caption=表达式:\r\n"
    "OkB.Caption=确定\r\n"
    "CancelB.Caption=取消\r\n";

const char* const kFormatEditorForm =
    "Caption=显示格式\r\n"
    "CategoryL.Caption=分类\r\n"
    "FormatL.Caption=格式\r\n"
    "FormatStrL.Caption=格式字符串:\r\n"
    "SeparatorL.Caption=小数分隔符:\r\n"
    "OkB.Caption=确定\r\n"
    "CancelB.Caption=取消\r\n";

const char* const kHighlightEditorForm =
    "Caption=高亮\r\n"
    "FontGB.Caption=字体\r\n"
    "BackgroundGB.Caption=背景\r\n"
    "ConditionL.Caption=条件\r\n"
    "FontColorB.Caption=颜色...\r\n"
    "BackColorB.Caption=颜色...\r\n"
    "BoldCB.Caption=粗体\r\n"
    "ItalicCB.Caption=斜体\r\n"
    "UnderlineCB.Caption=下划线\r\n"
    "TransparentRB.Caption=透明\r\n"
    "OtherRB.Caption=其他\r\n"
    "OKB.Caption=确定\r\n"
    "CancelB.Caption=取消\r\n";

const char* const kReportEditorForm =
    "Caption=报表设置\r\n"
    "GeneralTS.Caption=常规\r\n"
    "DescriptionTS.Caption=描述\r\n"
    "ReportSettingsL.Caption=打印机设置\r\n"
    "CopiesL.Caption=份数\r\n"
    "CollateCB.Caption=逐份打印\r\n"
    "GeneralL.Caption=常规\r\n"
    "PasswordL.Caption=密码\r\n"
    "DoublePassCB.Caption=两遍运行\r\n"
    "PrintIfEmptyCB.Caption=空白时打印\r\n"
    "DescriptionL.Caption=描述\r\n"
    "NameL.Caption=名称\r\n"
    "Description1L.Caption=描述\r\n"
    "PictureL.Caption=图片\r\n"
    "AuthorL.Caption=作者\r\n"
    "MajorL.Caption=主版本\r\n"
    "MinorL.Caption=次版本\r\n"
    "ReleaseL.Caption=发行号\r\n"
    "BuildL.Caption=内部版本\r\n"
    "CreatedL.Caption=创建日期\r\n"
    "ModifiedL.Caption=修改日期\r\n"
    "VersionL.Caption=版本\r\n"
    "PictureB.Caption=浏览...\r\n"
    "OkB.Caption=确定\r\n"
    "CancelB.Caption=取消\r\n";

const char* const kStringsEditorForm =
    "Caption=线\r\n"
    "OkB.Hint=确定\r\n"
    "CancelB.Hint=取消\r\n";

const char* const kSQLEditorForm =
    "Caption=SQL 编辑器\r\n"
    "OkB.Caption=确定\r\n"
    "CancelB.Caption=取消\r\n";

const char* const kPasswordForm =
    "Caption=密码\r\n"
    "PasswordL.Caption=请输入密码:\r\n"
    "OkB.Caption=确定\r\n"
    "CancelB.Caption=取消\r\n";

const char* const kStyleEditorForm =
    "Caption=样式编辑器\r\n"
    "ColorB.Caption=颜色...\r\n"
    "FontB.Caption=字体...\r\n"
    "FrameB.Caption=边框...\r\n"
    "AddB.Hint=添加\r\n"
    "DeleteB.Hint=删除\r\n"
    "EditB.Hint=编辑\r\n"
    "LoadB.Hint=载入\r\n"
    "SaveB.Hint=保存\r\n"
    "OkB.Hint=确定\r\n"
    "CancelB.Hint=取消\r\n";

const char* const kFrameEditorForm =
    "Caption=边框编辑器\r\n"
    "FrameGB.Caption=边框\r\n"
    "ShadowGB.Caption=阴影\r\n"
    "FrameTopB.Hint=上边框\r\n"
    "FrameBottomB.Hint=下边框\r\n"
    "FrameLeftB.Hint=左边框\r\n"
    "FrameRightB.Hint=右边框\r\n"
    "FrameAllB.Hint=全部边框\r\n"
    "FrameNoB.Hint=无边框\r\n"
    "ShadowB.Hint=阴影\r\n"
    "FrameColorB.Hint=边框颜色\r\n"
    "FrameStyleB.Hint=边框样式\r\n"
    "FrameWidthCB.Hint=边框宽度\r\n"
    "ShadowColorB.Hint=阴影颜色\r\n"
    "ShadowWidthCB.Hint=阴影宽度\r\n"
    "LineStyleL.Caption=线型\r\n"
    "OkB.Caption=确定\r\n"
    "CancelB.Caption=取消\r\n";

const char* const kNewItemForm =
    "Caption=新项目\r\n"
    "ItemsTab.Caption=项目\r\n"
    "TemplatesTab.Caption=模板\r\n"
    "OkB.Caption=确定\r\n"
    "CancelB.Caption=取消\r\n";

const char* const kTabOrderEditorForm =
    "Caption=Tab 顺序\r\n"
    "ControlsL.Caption=控件列表:\r\n"
    "UpB.Caption=上移\r\n"
    "DownB.Caption=下移\r\n"
    "OkB.Caption=确定\r\n"
    "CancelB.Caption=取消\r\n";

const char* const kEvaluateForm =
    "Caption=求值\r\n"
    "ExpressionL.Caption=表达式\r\n"
    "ResultL.Caption=结果\r\n";

const char* const kStdWizardForm =
    "Caption=报表向导\r\n"
    "DataTab.Caption=数据\r\n"
    "GroupsTab.Caption=分组\r\n"
    "LayoutTab.Caption=布局\r\n"
    "StyleTab.Caption=样式\r\n"
    "Step1L.Caption=第1步. 选择欲显示的数据集和字段.\r\n"
    "Step2L.Caption=第2步. 创建组(可选).\r\n"
    "Step3L.Caption=第3步. 定义页面方向和数据布局.\r\n"
    "Step4L.Caption=第4步. 选择报表样式.\r\n"
    "AddFieldB.Caption=增加 >\r\n"
    "AddAllFieldsB.Caption=增加全部>>\r\n"
    "RemoveFieldB.Caption=<移出\r\n"
    "RemoveAllFieldsB.Caption=<< 全部移出\r\n"
    "AddGroupB.Caption=增加 >\r\n"
    "RemoveGroupB.Caption=< 移出\r\n"
    "SelectedFieldsL.Caption=已选字段:\r\n"
    "AvailableFieldsL.Caption=可用字段:\r\n"
    "GroupsL.Caption=分组:\r\n"
    "OrientationL.Caption=方向\r\n"
    "LayoutL.Caption=布局\r\n"
    "PortraitRB.Caption=垂直\r\n"
    "LandscapeRB.Caption=水平\r\n"
    "TabularRB.Caption=表格式\r\n"
    "ColumnarRB.Caption=柱型\r\n"
    "FitWidthCB.Caption=适应字段到页宽\r\n"
    "BackB.Caption=<< 返回\r\n"
    "NextB.Caption=下一个 >>\r\n"
    "FinishB.Caption=完成\r\n"
    "CancelB.Caption=取消\r\n";

// ORDER DESIGNER-TEXTS: windows with their own keys, then file filters, property names,
// context-menu and object texts, then function categories and function descriptions.
const TfrxTextEntry kTexts[] = {
    {"TfrxObjectInspector", kObjectInspector},
    {"oiProp", "属性"},
    {"oiEvent", "事件"},
    {"TfrxDataTreeForm", kDataTreeForm},
    {"dtNoData", "没有可用数据"},
    {"dtData", "数据"},
    {"dtSysVar", "系统变量"},
    {"dtVar", "变量"},
    {"dtFunc", "函数"},
    {"TfrxReportTreeForm", kReportTreeForm},
    {"TfrxDesignerForm", kDesignerForm},
    {"dsCm", "厘米"},
    {"dsInch", "英寸"},
    {"dsPix", "像数"},
    {"dsChars", "字符"},
    {"dsCode", "代码"},
    {"dsPage", "页"},
    {"dsRepFilter", "报表 (*.bl3)|*.bl3"},
    {"dsComprRepFilter", "压缩报表 (*.bl3)|*.bl3"},
    {"dsSavePreviewChanges", "保存更改到上一页?"},
    {"dsSaveChangesTo", "保存更改到 "},
    {"dsCantLoad", "不能载入文件"},
    {"dsStyleFile", "样式"},
    {"dsCantFindProc", "不能定位主过程"},
    {"dsClearScript", "将清除所有代码，继续吗？"},
    {"dsNoStyle", "无样式"},
    {"dsStyleSample", "样式示例"},
    {"dsTextNotFound", "文本'%s' 未发现"},
    {"dsReplace", "替换'%s'？"},
    {"TfrxAboutForm", kAboutForm},
    {"TfrxPageEditorForm", kPageEditorForm},
    {"TfrxReportDataForm", kReportDataForm},
    {"TfrxVarEditorForm", kVarEditorForm},
    {"vaNoVar", "(未定义变量)"},
    {"vaVar", "变量"},
    {"vaDupName", "双名"},
    {"TfrxOptionsEditor", kOptionsEditor},
    {"uCm", "厘米"},
    {"uInch", "英寸"},
    {"uPix", "象素"},
    {"uChar", "字符"},
    {"TfrxDataBandEditorForm", kDataBandEditorForm},
    {"dbNotAssigned", "[未赋值]"},
    {"dbSingleLine", "单行"},
    {"TfrxGroupEditorForm", kGroupEditorForm},
    {"TfrxSysMemoEditorForm", kSysMemoEditorForm},
    {"agAggregate", "插入集合"},
    {"vt1", "[DATE]"},
    {"vt2", "[TIME]"},
    {"vt3", "[PAGE#]"},
    {"vt4", "[TOTALPAGES#]"},
    {"vt5", "[PAGE#] of [TOTALPAGES#]"},
    {"vt6", "[LINE#]"},
    {"TfrxOleEditorForm", kOleEditorForm},
    {"olStretched", "拉伸"},
    {"TfrxBarcodeEditorForm", kBarcodeEditorForm},
    {"bcCalcChecksum", "计算校验和"},
    {"bcShowText", "显示文本"},
    {"TfrxAliasesEditorForm", kAliasesEditorForm},
    {"alUserName", "用户名"},
    {"alOriginal", "原名"},
    {"TfrxParamsEditorForm", kParamsEditorForm},
    {"qpName", "名称"},
    {"qpDataType", "数据类型"},
    {"qpValue", "值"},
    {"TfrxMDEditorForm", kMDEditorForm},
    {"TfrxMemoEditorForm", kMemoEditorForm},
    {"TfrxPictureEditorForm", kPictureEditorForm},
    {"piEmpty", "空"},
    {"TfrxChartEditorForm", kChartEditorForm},
    {"ch3D", "三维视图"},
    {"chAxis", "显示坐标轴"},
    {"chsoNone", "不排序"},
    {"chsoAscending", "升序"},
    {"chsoDescending", "降序"},
    {"TfrxRichEditorForm", kRichEditorForm},
    {"TfrxCrossEditorForm", kCrossEditorForm},
    {"crSubtotal", "小计"},
    {"crNone", "无"},
    {"crSum", "求和"},
    {"crMin", "最小"},
    {"crMax", "最大"},
    {"crAvg", "平均"},
    {"crCount", "个数"},
    {"crAsc", "A-Z"},
    {"crDesc", "Z-A"},
    {"crRepHdrs", "重打表头"},
    {"crBorder", "边界"},
    {"crDown", "Down Then Across"},
    {"TfrxExprEditorForm", kExprEditorForm},
    {"TfrxFormatEditorForm", kFormatEditorForm},
    {"fkText", "无格式文本"},
    {"fkNumber", "数字"},
    {"fkDateTime", "日期/时间"},
    {"fkBoolean", "布尔变量"},
    {"fkNumber1", "1234.5;%g"},
    {"fkNumber2", "1234.50;%2.2f"},
    {"fkNumber3", "1,234.50;%2.2n"},
    {"fkNumber4", "$1,234.50;%2.2m"},
    {"fkDateTime1", "11.28.2002;mm.dd.yyyy"},
    {"fkDateTime2", "28 nov 2002;dd mmm yyyy"},
    {"fkDateTime3", "November 28, 2002;mmmm dd, yyyy"},
    {"fkDateTime4", "02:14;hh:mm"},
    {"fkDateTime5", "02:14am;hh:mm am/pm"},
    {"fkDateTime6", "02:14:00;hh:mm:ss"},
    {"fkDateTime7", "02:14am, November 28, 2002;hh:mm am/pm, mmmm dd, yyyy"},
    {"fkBoolean1", "0,1;0,1"},
    {"fkBoolean2", "No,Yes;No,Yes"},
    {"fkBoolean3", "_,x;_,x"},
    {"fkBoolean4", "False,True;False,True"},
    {"TfrxHighlightEditorForm", kHighlightEditorForm},
    {"TfrxReportEditorForm", kReportEditorForm},
    {"rePrnOnPort", "在"},
    {"TfrxStringsEditorForm", kStringsEditorForm},
    {"TfrxSQLEditorForm", kSQLEditorForm},
    {"TfrxPasswordForm", kPasswordForm},
    {"TfrxStyleEditorForm", kStyleEditorForm},
    {"TfrxFrameEditorForm", kFrameEditorForm},
    {"TfrxNewItemForm", kNewItemForm},
    {"TfrxTabOrderEditorForm", kTabOrderEditorForm},
    {"TfrxEvaluateForm", kEvaluateForm},
    {"TfrxStdWizardForm", kStdWizardForm},
    {"wzStd", "标准报表向导"},
    {"wzDMP", "点阵报表向导"},
    {"wzStdEmpty", "标准报表"},
    {"wzDMPEmpty", "点阵报表"},
    {"ftAllFiles", "全部文件"},
    {"ftPictures", "图像"},
    {"ftDB", "数据库"},
    {"ftRichFile", "RTF 文件"},
    {"ftTextFile", "文本文件"},
    {"prNotAssigned", "(未赋值)"},
    {"prInvProp", "非法属性值"},
    {"prDupl", "重复命名"},
    {"prPict", "(图片)"},
    {"mvExpr", "允许公式"},
    {"mvStretch", "拉伸"},
    {"mvStretchToMax", "拉伸到最大高度"},
    {"mvShift", "Shift"},
    {"mvShiftOver", "Shift When Overlapped"},
    {"mvVisible", "可视"},
    {"mvPrintable", "可打印"},
    {"mvFont", "字体..."},
    {"mvFormat", "显示格式..."},
    {"mvClear", "清除内容"},
    {"mvAutoWidth", "自动宽度"},
    {"mvWWrap", "文字自动换行"},
    {"mvSuppress", "查禁重复值"},
    {"mvHideZ", "隐藏零"},
    {"mvHTML", "允许HTML标签"},
    {"lvDiagonal", "斜线"},
    {"pvAutoSize", "自动大小"},
    {"pvCenter", "居中"},
    {"pvAspect", "保持比例"},
    {"bvSplit", "允许拆分"},
    {"bvKeepChild", "保持子区带在一起"},
    {"bvPrintChild", "不可见时打印子区带"},
    {"bvStartPage", "新页开始"},
    {"bvPrintIfEmpty", "明细为空时打印"},
    {"bvKeepDetail", "保持明细在一起"},
    {"bvKeepFooter", "保持栏脚在一起"},
    {"bvReprint", "在新页上重印"},
    {"bvOnFirst", "在第一页打印"},
    {"bvOnLast", "在最后一页打印"},
    {"bvKeepGroup", "保持组在一起"},
    {"bvFooterAfterEach", "每条记录后打印栏脚"},
    {"bvKeepHeader", "保持栏头在一起"},
    {"srParent", "在父区带上打印"},
    {"obCatDraw", "绘图"},
    {"obCatOther", "其他对象"},
    {"obCatOtherControls", "其他控件"},
    {"obDiagLine", "斜线"},
    {"obRect", "矩形"},
    {"obRoundRect", "圆角矩形"},
    {"obEllipse", "椭圆"},
    {"obTrian", "三角形"},
    {"obDiamond", "菱形"},
    {"obLabel", "标签控件"},
    {"obEdit", "编辑框控件"},
    {"obMemoC", "多行文本控件"},
    {"obButton", "按钮控件"},
    {"obChBoxC", "复选框控件"},
    {"obRButton", "单选按钮控件"},
    {"obLBox", "列表框控件"},
    {"obCBox", "组合框控件"},
    {"obDateEdit", "日期编辑控件"},
    {"obImageC", "图像控件"},
    {"obPanel", "面板控件"},
    {"obGrBox", "分组框控件"},
    {"obBBtn", "图形按钮控件"},
    {"obSBtn", "快捷按钮控件"},
    {"obMEdit", "掩码编辑控件"},
    {"obChLB", "复选列表框控件"},
    {"obDBLookup", "数据查找组合框"},
    {"obBevel", "斜面控件"},
    {"obShape", "图形对象"},
    {"obText", "文本对象"},
    {"obSysText", "系统文本"},
    {"obLine", "线条对象"},
    {"obPicture", "图片对象"},
    {"obBand", "区带"},
    {"obDataBand", "数据区带"},
    {"obSubRep", "子报表对象"},
    {"obDlgPage", "对话框页"},
    {"obRepPage", "报表页"},
    {"obReport", "报表对象"},
    {"obRich", "RTF 文本对象"},
    {"obOLE", "OLE 对象"},
    {"obChBox", "复选框对象"},
    {"obChart", "图表对象"},
    {"obBarC", "条码对象"},
    {"obCross", "交叉表对象"},
    {"obDBCross", "数据库交叉表对象"},
    {"obGrad", "渐变对象"},
    {"obDMPText", "点阵文本对象"},
    {"obDMPLine", "点阵线条对象"},
    {"obBDEDB", "数据库连接"},
    {"obBDETb", "数据表"},
    {"obBDEQ", "查询"},
    {"obBDEComps", "数据库组件"},
    {"obIBXDB", "数据库连接"},
    {"obIBXTb", "数据表"},
    {"obIBXQ", "查询"},
    {"obIBXComps", "数据库组件"},
    {"obADODB", "ADO 数据库"},
    {"obADOTb", "ADO 表"},
    {"obADOQ", "ADO 查询"},
    {"obADOComps", "ADO 组件"},
    {"obDBXDB", "数据库连接"},
    {"obDBXTb", "数据表"},
    {"obDBXQ", "查询"},
    {"obDBXComps", "数据库组件"},
    {"ctString", "字符串函数"},
    {"ctDate", "日期/时间函数"},
    {"ctConv", "转换函数"},
    {"ctFormat", "格式化函数"},
    {"ctMath", "数学函数"},
    {"ctOther", "其他函数"},
    {"IntToStr", "将整数转换为字符串"},
    {"FloatToStr", "将浮点数转换为字符串"},
    {"DateToStr", "将日期转换为字符串"},
    {"TimeToStr", "将时间转换为字符串"},
    {"DateTimeToStr", "将日期时间转换为字符串"},
    {"VarToStr", "将变体值转换为字符串"},
    {"StrToInt", "将字符串转换为整数"},
    {"StrToFloat", "将字符串转换为浮点数"},
    {"StrToDate", "将字符串转换为日期"},
    {"StrToTime", "将字符串转换为时间"},
    {"StrToDateTime", "将字符串转换为日期时间"},
    {"Format", "按格式字符串和参数数组生成格式化字符串"},
    {"FormatFloat", "按格式字符串格式化浮点数"},
    {"FormatDateTime", "按格式字符串格式化日期时间"},
    {"FormatMaskText", "按编辑掩码格式化字符串"},
    {"EncodeDate", "由年、月、日组成日期"},
    {"DecodeDate", "将日期分解为年、月、日"},
    {"EncodeTime", "由时、分、秒、毫秒组成时间"},
    {"DecodeTime", "将时间分解为时、分、秒、毫秒"},
    {"Date", "返回当前日期"},
    {"Time", "返回当前时间"},
    {"Now", "返回当前日期和时间"},
    {"DayOfWeek", "返回日期是星期几 (1 为星期日)"},
    {"IsLeapYear", "判断某年是否为闰年"},
    {"DaysInMonth", "返回某年某月的天数"},
    {"Length", "返回字符串的长度"},
    {"Copy", "返回字符串从指定位置开始的指定个数字符"},
    {"Pos", "返回子串在字符串中的位置"},
    {"Delete", "从字符串中删除指定位置开始的若干字符"},
    {"Insert", "将子串插入字符串的指定位置"},
    {"Uppercase", "将字符串转换为大写"},
    {"Lowercase", "将字符串转换为小写"},
    {"Trim", "整修去字符串的前后空白字符"},
    {"NameCase", "将字符串的首字母转换为大写"},
    {"CompareText", "比较两个字符串 (不区分大小写)"},
    {"Chr", "返回指定编码的字符"},
    {"Ord", "返回字符的编码"},
    {"SetLength", "设置字符串的长度"},
    {"Round", "四舍五入取整"},
    {"Trunc", "浮点数取整"},
    {"Int", "返回浮点数的整数部分"},
    {"Frac", "返回浮点数的小数部分"},
    {"Sqrt", "返回平方根"},
    {"Abs", "返回绝对值"},
    {"Sin", "返回正弦值"},
    {"Cos", "返回余弦值"},
    {"ArcTan", "返回反正切值"},
    {"Tan", "返回正切值"},
    {"Exp", "返回指数值"},
    {"Ln", "返回自然对数"},
    {"Pi", "返回圆周率"},
    {"Inc", "将变量增加指定的值"},
    {"Dec", "将变量减少指定的值"},
    {"RaiseException", "引发一个异常"},
    {"ShowMessage", "显示消息框"},
    {"Randomize", "初始化随机数发生器"},
    {"Random", "返回随机数"},
    {"ValidInt", "判断字符串是否为合法的整数"},
    {"ValidFloat", "判断字符串是否为合法的浮点数"},
    {"ValidDate", "判断字符串是否为合法的日期"},
    {"IIF", "条件为真时返回第一个值，否则返回第二个值"},
    {"Get", "返回变量的值"},
    {"Set", "设置变量的值"},
    {"InputBox", "显示输入框并返回输入的字符串"},
    {"InputQuery", "显示输入框，确定时返回真"},
    {"MessageDlg", "显示消息对话框并返回按下的按钮"},
    {"CreateOleObject", "创建自动化对象"},
    {"VarArrayCreate", "创建变体数组"},
    {"VarType", "返回变体值的类型"},
};

}  // namespace

const TfrxTextEntry* frxDesignerTextEntries(size_t& Count) {
    Count = sizeof(kTexts) / sizeof(kTexts[0]);
    return kTexts;
}

void frxRegisterDesignerTexts() {
    static const bool done = [] {
        TfrxResources& res = frxResources();
        for (const TfrxTextEntry& e : kTexts) res.Add(e.Key, e.Text);
        return true;
    }();
    (void)done;
}

// The Qt side of message boxes and standard dialogs, and the functions built on the seam.
#include "platform/graphics/Printers.h"
#include "platform/rtl/DateTime.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/QtText.h"
#include "platform/ui/UiInternal.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QFileDialog>
#include <QFontMetrics>
#include <QSpacerItem>
#include <QGridLayout>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QSplitter>
#include <QTreeView>

namespace {

const char* const kKindNames[] = {"MessageBox", "MessageDlg", "InputQuery",      "OpenFile", "SaveFile",
                                  "Color",      "Font",       "SelectDirectory", "Print",    "PrinterSetup"};
static_assert(std::size(kKindNames) == int(TDialogKind::PrinterSetup) + 1);

QWidget* DialogParent() { return QApplication::activeWindow(); }

// The list of the file dialogs in the words of the Chinese system: kinds ("文件夹", "MDB
// 文件"), sizes in KB and modification times in the program's date and time formats, and
// Chinese column titles. The platform's own texts there are English whatever its
// translation ("Folder", "unknown", English month names).
class TChineseFileList final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
        if (role != Qt::DisplayRole || !files || !index.isValid() || index.column() == 0)
            return QIdentityProxyModel::data(index, role);
        const QModelIndex source = mapToSource(index);
        const QFileInfo info = files->fileInfo(source);
        switch (index.column()) {
        case 1: return info.isDir() ? QString() : SizeText(info.size());
        case 2: return KindText(info);
        case 3: return TimeText(info.lastModified());
        default: return QIdentityProxyModel::data(index, role);
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        static const char* const kTitles[] = {"名称", "大小", "类型", "修改日期"};
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 4)
            return QString::fromUtf8(kTitles[section]);
        return QIdentityProxyModel::headerData(section, orientation, role);
    }

    static QString KindText(const QFileInfo& info) {
        if (info.isDir()) return QStringLiteral("文件夹");
        const QString suffix = info.suffix();
        return suffix.isEmpty() ? QStringLiteral("文件") : suffix.toUpper() + QStringLiteral(" 文件");
    }
    // Whole KB rounded up, as the desktop's file lists give them ("137 KB", "1,024 KB").
    static QString SizeText(qint64 bytes) {
        const qint64 kb = (bytes + 1023) / 1024;
        QString digits = QString::number(kb);
        for (int i = int(digits.size()) - 3; i > 0; i -= 3) digits.insert(i, QLatin1Char(','));
        return digits + QStringLiteral(" KB");
    }
    static QString TimeText(const QDateTime& when) {
        if (!when.isValid()) return QString();
        const QDateTime local = when.toLocalTime();
        const double days = double(QDate(1899, 12, 30).daysTo(local.date())) + local.time().msecsSinceStartOfDay() / 86400000.0;
        return QStr(FormatDateTime(FormatSettings.ShortDateFormat + " " + FormatSettings.ShortTimeFormat, days));
    }
};

// Once the folder is read, the size, kind and date columns take the width of their texts
// and the name the rest of the list, so that nothing shows cut ("140...KiB").
void FitFileColumns(QFileDialog& dlg) {
    auto* view = dlg.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!view) return;
    int others = 0;
    for (int c = 1; c < 4; ++c) {
        view->resizeColumnToContents(c);
        others += view->columnWidth(c);
    }
    const int wanted = view->columnWidth(0);
    view->resizeColumnToContents(0);
    view->setColumnWidth(0, std::max({view->columnWidth(0), wanted, view->viewport()->width() - others}));
}

// A dialog's frame: its title and close button, no minimise or maximise button (window
// managers give a dialog window all of them unless told otherwise).
void DialogFrame(QWidget& dlg) {
    dlg.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
}

QColor QColorOfBgr(int32_t c) {
    if (c < 0) return QColor(Qt::white);
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}
int32_t BgrOfQColor(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

QMessageBox::Icon IconOfFlags(int flags) {
    switch (flags & MB_ICONMASK) {
    case MB_ICONHAND: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONASTERISK: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

struct TButtonSpec {
    const char* Text;
    int Result;
    QMessageBox::ButtonRole Role;
};

// A dialog at least as wide as its caption needs in a window manager's title bar (the
// caption's text and room for the window's icon and buttons), so that a short message
// does not lose its caption to "...".
int CaptionWidth(const QString& caption) {
    QFont title = QApplication::font();
    title.setBold(true);
    constexpr int kTitleBarRoom = 160;
    return QFontMetrics(title).horizontalAdvance(caption) + kTitleBarRoom;
}

int RunBox(const TDialogRequest& r, QMessageBox::Icon icon, const std::vector<TButtonSpec>& buttons,
           size_t defaultIndex) {
    QMessageBox box(icon, QStr(r.Caption), QStr(r.Text), QMessageBox::NoButton, DialogParent());
    DialogFrame(box);
    // The box sizes itself from its layout; a spacer row across it gives the least width.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(CaptionWidth(box.windowTitle()), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    std::vector<QAbstractButton*> made;
    for (const TButtonSpec& b : buttons) made.push_back(box.addButton(QString::fromUtf8(b.Text), b.Role));
    if (defaultIndex < made.size()) box.setDefaultButton(static_cast<QPushButton*>(made[defaultIndex]));
    box.exec();
    for (size_t i = 0; i < made.size(); ++i)
        if (box.clickedButton() == made[i]) return buttons[i].Result;
    // Closed by the window frame or Esc: the cancelling answer when there is one.
    for (const TButtonSpec& b : buttons)
        if (b.Role == QMessageBox::RejectRole) return b.Result;
    return buttons.empty() ? 0 : buttons.back().Result;
}

const TButtonSpec kOk{"确定", IDOK, QMessageBox::AcceptRole};
const TButtonSpec kCancel{"取消", IDCANCEL, QMessageBox::RejectRole};
const TButtonSpec kYes{"是(&Y)", IDYES, QMessageBox::YesRole};
const TButtonSpec kNo{"否(&N)", IDNO, QMessageBox::NoRole};
const TButtonSpec kAbort{"中止(&A)", IDABORT, QMessageBox::RejectRole};
const TButtonSpec kRetry{"重试(&R)", IDRETRY, QMessageBox::AcceptRole};
const TButtonSpec kIgnore{"忽略(&I)", IDIGNORE, QMessageBox::AcceptRole};

int ShowMessageBox(const TDialogRequest& r) {
    std::vector<TButtonSpec> buttons;
    switch (r.Flags & MB_TYPEMASK) {
    case MB_OKCANCEL: buttons = {kOk, kCancel}; break;
    case MB_ABORTRETRYIGNORE: buttons = {kAbort, kRetry, kIgnore}; break;
    case MB_YESNOCANCEL: buttons = {kYes, kNo, kCancel}; break;
    case MB_YESNO: buttons = {kYes, kNo}; break;
    case MB_RETRYCANCEL: buttons = {kRetry, kCancel}; break;
    default: buttons = {kOk}; break;
    }
    return RunBox(r, IconOfFlags(r.Flags), buttons, size_t((r.Flags & MB_DEFMASK) >> 8));
}

int ShowMessageDlg(const TDialogRequest& r) {
    static const TButtonSpec kDlgButtons[] = {
        {"是(&Y)", mrYes, QMessageBox::YesRole},        {"否(&N)", mrNo, QMessageBox::NoRole},
        {"确定", mrOk, QMessageBox::AcceptRole},         {"取消", mrCancel, QMessageBox::RejectRole},
        {"中止(&A)", mrAbort, QMessageBox::RejectRole},  {"重试(&R)", mrRetry, QMessageBox::AcceptRole},
        {"忽略(&I)", mrIgnore, QMessageBox::AcceptRole}, {"全部(&A)", mrAll, QMessageBox::YesRole},
        {"全否(&O)", mrNoToAll, QMessageBox::NoRole},    {"全是(&A)", mrYesToAll, QMessageBox::YesRole},
        {"帮助(&H)", 0, QMessageBox::HelpRole},
    };
    static_assert(std::size(kDlgButtons) == mbHelp + 1);
    std::vector<TButtonSpec> buttons;
    for (int b = mbYes; b <= mbHelp; ++b)
        if (r.Flags & (1 << b)) buttons.push_back(kDlgButtons[b]);
    if (buttons.empty()) buttons.push_back(kDlgButtons[mbOK]);
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (r.DlgType) {
    case mtWarning: icon = QMessageBox::Warning; break;
    case mtError: icon = QMessageBox::Critical; break;
    case mtInformation: icon = QMessageBox::Information; break;
    case mtConfirmation: icon = QMessageBox::Question; break;
    default: break;
    }
    return RunBox(r, icon, buttons, 0);
}

class TQtDialogService final : public TDialogService {
public:
    TDialogAnswer Show(const TDialogRequest& r) override {
        TDialogAnswer a;
        switch (r.Kind) {
        case TDialogKind::MessageBox: a.Result = ShowMessageBox(r); break;
        case TDialogKind::MessageDlg: a.Result = ShowMessageDlg(r); break;
        case TDialogKind::InputQuery: {
            QInputDialog dlg(DialogParent());
            DialogFrame(dlg);
            dlg.setWindowTitle(QStr(r.Caption));
            dlg.setLabelText(QStr(r.Text));
            dlg.setTextValue(QStr(r.Value));
            dlg.setOkButtonText(QStringLiteral("确定"));
            dlg.setCancelButtonText(QStringLiteral("取消"));
            dlg.setMinimumWidth(CaptionWidth(dlg.windowTitle()));
            const bool ok = dlg.exec() == QDialog::Accepted;
            a.Result = ok ? 1 : 0;
            a.Value = ok ? StdStr(dlg.textValue()) : r.Value;
            break;
        }
        case TDialogKind::OpenFile:
        case TDialogKind::SaveFile: a = ShowFileDialog(r); break;
        case TDialogKind::Color: {
            QColor c = QColorDialog::getColor(QColorOfBgr(r.Color), DialogParent(), QStr(r.Caption));
            a.Result = c.isValid() ? 1 : 0;
            a.Color = c.isValid() ? BgrOfQColor(c) : r.Color;
            break;
        }
        case TDialogKind::Font: {
            QFont start(QStr(r.Font.Name), r.Font.Size > 0 ? r.Font.Size : 9);
            start.setBold(r.Font.Style & 1);
            start.setItalic(r.Font.Style & 2);
            start.setUnderline(r.Font.Style & 4);
            start.setStrikeOut(r.Font.Style & 8);
            bool ok = false;
            QFont f = QFontDialog::getFont(&ok, start, DialogParent(), QStr(r.Caption));
            a.Result = ok ? 1 : 0;
            a.Font = r.Font;
            if (ok) {
                a.Font.Name = StdStr(f.family());
                a.Font.Size = f.pointSize() > 0 ? f.pointSize() : r.Font.Size;
                a.Font.Style = (f.bold() ? 1 : 0) | (f.italic() ? 2 : 0) | (f.underline() ? 4 : 0) |
                               (f.strikeOut() ? 8 : 0);
            }
            break;
        }
        case TDialogKind::Print:
        case TDialogKind::PrinterSetup: a = ShowPrintDialog(r); break;
        case TDialogKind::SelectDirectory: {
            QFileDialog dlg(DialogParent(), QStr(r.Caption), QStr(r.Value));
            dlg.setFileMode(QFileDialog::Directory);
            dlg.setOption(QFileDialog::ShowDirsOnly);
            ChineseLabels(dlg, QStringLiteral("文件夹："), QStringLiteral("确定"));
            const bool ok = dlg.exec() == QDialog::Accepted && !dlg.selectedFiles().isEmpty();
            a.Result = ok ? 1 : 0;
            a.Value = ok ? StdStr(dlg.selectedFiles().front()) : r.Value;
            break;
        }
        }
        return a;
    }

private:
    // The file dialogs' own texts in Chinese (the platform's translations may be missing),
    // the list's texts too (TChineseFileList), its columns as wide as their texts, and
    // each filter shown by its description alone ("数据库文件(＊.mdb)", the patterns are the
    // program's to show): the platform adds the patterns once more.
    static void ChineseLabels(QFileDialog& dlg, const QString& nameLabel, const QString& accept) {
        dlg.setOption(QFileDialog::DontUseNativeDialog);
        dlg.setOption(QFileDialog::HideNameFilterDetails);
        dlg.setLabelText(QFileDialog::LookIn, QStringLiteral("查找范围："));
        dlg.setLabelText(QFileDialog::FileName, nameLabel);
        dlg.setLabelText(QFileDialog::FileType, QStringLiteral("文件类型："));
        dlg.setLabelText(QFileDialog::Accept, accept);
        dlg.setLabelText(QFileDialog::Reject, QStringLiteral("取消"));
        dlg.setProxyModel(new TChineseFileList(&dlg));
        dlg.resize(std::max(dlg.width(), 760), std::max(dlg.height(), 440));
        if (auto* splitter = dlg.findChild<QSplitter*>(QStringLiteral("splitter")); splitter && splitter->count() == 2)
            splitter->setSizes({170, dlg.width() - 170});
        if (auto* files = dlg.findChild<QFileSystemModel*>())
            QObject::connect(files, &QFileSystemModel::directoryLoaded, &dlg, [&dlg] { FitFileColumns(dlg); });
    }

    // The print dialog (printer, copies, collation, range, print to file) and the printer
    // setup (printer, paper, orientation) of the class library, built from widgets.
    static TDialogAnswer ShowPrintDialog(const TDialogRequest& r) {
        const bool setup = r.Kind == TDialogKind::PrinterSetup;
        const TPrintChoice& in = r.Print;
        QDialog dlg(DialogParent());
        DialogFrame(dlg);
        dlg.setWindowTitle(QString::fromUtf8(setup ? "打印设置" : "打印"));
        auto* layout = new QVBoxLayout(&dlg);
        auto* form = new QFormLayout;
        layout->addLayout(form);
        auto* printers = new QComboBox;
        for (const std::string& name : in.Printers) printers->addItem(QStr(name));
        if (in.Printers.empty()) printers->addItem(QString::fromUtf8("(没有安装打印机)"));
        printers->setEnabled(!in.Printers.empty());
        for (size_t i = 0; i < in.Printers.size(); ++i)
            if (in.Printers[i] == in.PrinterName) printers->setCurrentIndex(int(i));
        form->addRow(QString::fromUtf8("打印机:"), printers);
        TDialogAnswer a;
        a.Print = in;
        QSpinBox *copies = nullptr, *from = nullptr, *to = nullptr;
        QCheckBox *collate = nullptr, *toFile = nullptr;
        QButtonGroup* range = nullptr;
        QComboBox* papers = nullptr;
        QRadioButton* landscape = nullptr;
        if (!setup) {
            const int options = r.Flags;
            copies = new QSpinBox;
            copies->setRange(1, 999);
            copies->setValue(std::max(1, in.Copies));
            form->addRow(QString::fromUtf8("份数:"), copies);
            collate = new QCheckBox(QString::fromUtf8("逐份打印"));
            collate->setChecked(in.Collate);
            form->addRow(QString(), collate);
            auto* box = new QGroupBox(QString::fromUtf8("打印范围"));
            auto* rows = new QVBoxLayout(box);
            range = new QButtonGroup(box);
            const char* labels[] = {"全部", "选定范围", "页码范围"};
            for (int i = 0; i < 3; ++i) {
                auto* b = new QRadioButton(QString::fromUtf8(labels[i]));
                range->addButton(b, i);
                rows->addWidget(b);
            }
            range->button(1)->setEnabled(options & (1 << 2));   // poSelection
            range->button(2)->setEnabled(options & (1 << 1));   // poPageNums
            const int chosen = in.Range >= 0 && in.Range <= 2 && range->button(in.Range)->isEnabled() ? in.Range : 0;
            range->button(chosen)->setChecked(true);
            auto* pages = new QHBoxLayout;
            from = new QSpinBox;
            to = new QSpinBox;
            const int low = in.MaxPage > in.MinPage ? in.MinPage : 0, high = in.MaxPage > in.MinPage ? in.MaxPage : 9999;
            from->setRange(low, high);
            to->setRange(low, high);
            from->setValue(in.FromPage);
            to->setValue(in.ToPage);
            pages->addWidget(new QLabel(QString::fromUtf8("从:")));
            pages->addWidget(from);
            pages->addWidget(new QLabel(QString::fromUtf8("到:")));
            pages->addWidget(to);
            rows->addLayout(pages);
            layout->addWidget(box);
            if (options & (1 << 0)) {   // poPrintToFile
                toFile = new QCheckBox(QString::fromUtf8("打印到文件"));
                toFile->setChecked(in.PrintToFile);
                toFile->setEnabled(!(options & (1 << 5)));   // poDisablePrintToFile
                layout->addWidget(toFile);
            }
        } else {
            papers = new QComboBox;
            auto fillPapers = [papers, &in](const QString& name) {
                papers->clear();
                try {
                    TPrinter printer(StdStr(name));
                    for (const TPaperInfo& p : printer.Papers()) papers->addItem(QStr(p.Name), p.Number);
                } catch (const std::exception&) {
                    // A queue that cannot be opened offers no papers.
                }
                const int at = papers->findData(in.PaperSize);
                if (at >= 0) papers->setCurrentIndex(at);
            };
            if (!in.Printers.empty()) fillPapers(printers->currentText());
            QObject::connect(printers, &QComboBox::currentTextChanged, papers, fillPapers);
            form->addRow(QString::fromUtf8("纸张:"), papers);
            auto* box = new QGroupBox(QString::fromUtf8("方向"));
            auto* rows = new QHBoxLayout(box);
            auto* portrait = new QRadioButton(QString::fromUtf8("纵向"));
            landscape = new QRadioButton(QString::fromUtf8("横向"));
            rows->addWidget(portrait);
            rows->addWidget(landscape);
            (in.Orientation == 1 ? landscape : portrait)->setChecked(true);
            layout->addWidget(box);
        }
        auto* buttons = new QDialogButtonBox;
        buttons->addButton(QString::fromUtf8("确定"), QDialogButtonBox::AcceptRole);
        buttons->addButton(QString::fromUtf8("取消"), QDialogButtonBox::RejectRole);
        QObject::connect(buttons, &QDialogButtonBox::accepted, &dlg, &QDialog::accept);
        QObject::connect(buttons, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);
        layout->addWidget(buttons);
        a.Result = dlg.exec() == QDialog::Accepted ? 1 : 0;
        if (a.Result == 0) return a;
        a.Print.PrinterName = in.Printers.empty() ? in.PrinterName : StdStr(printers->currentText());
        if (!setup) {
            a.Print.Copies = copies->value();
            a.Print.Collate = collate->isChecked();
            a.Print.Range = range->checkedId();
            a.Print.FromPage = from->value();
            a.Print.ToPage = to->value();
            a.Print.PrintToFile = toFile && toFile->isChecked();
        } else {
            if (papers->currentIndex() >= 0) a.Print.PaperSize = papers->currentData().toInt();
            a.Print.Orientation = landscape->isChecked() ? 1 : 0;
        }
        return a;
    }

    static TDialogAnswer ShowFileDialog(const TDialogRequest& r) {
        const bool save = r.Kind == TDialogKind::SaveFile;
        QFileDialog dlg(DialogParent(), QStr(r.Caption), QStr(r.InitialDir));
        ChineseLabels(dlg, QStringLiteral("文件名："), save ? QStringLiteral("保存") : QStringLiteral("打开"));
        dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        QStringList filters;
        for (const std::string& f : FilterToNameFilters(r.Filter)) filters << QStr(f);
        if (!filters.isEmpty()) {
            dlg.setNameFilters(filters);
            if (r.FilterIndex >= 1 && r.FilterIndex <= filters.size())
                dlg.selectNameFilter(filters[r.FilterIndex - 1]);
        }
        if (!r.DefaultExt.empty()) dlg.setDefaultSuffix(QStr(r.DefaultExt));
        if (!r.Value.empty()) dlg.selectFile(QStr(r.Value));
        constexpr int ofOverwritePrompt = 1 << 1, ofAllowMultiSelect = 1 << 6, ofFileMustExist = 1 << 9;
        if (save && !(r.Flags & ofOverwritePrompt)) dlg.setOption(QFileDialog::DontConfirmOverwrite);
        if (!save) dlg.setFileMode((r.Flags & ofAllowMultiSelect) ? QFileDialog::ExistingFiles
                                   : (r.Flags & ofFileMustExist) ? QFileDialog::ExistingFile
                                                                  : QFileDialog::AnyFile);
        TDialogAnswer a;
        a.FilterIndex = r.FilterIndex;
        a.Value = r.Value;
        if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return a;
        a.Result = 1;
        for (const QString& f : dlg.selectedFiles()) a.Files.push_back(StdStr(f));
        a.Value = a.Files.front();
        a.FilterIndex = int(filters.indexOf(dlg.selectedNameFilter())) + 1;
        if (a.FilterIndex < 1) a.FilterIndex = r.FilterIndex;
        return a;
    }
};

TQtDialogService& QtService() {
    static TQtDialogService service;
    return service;
}
TDialogService* gService = nullptr;

void DefaultBeep(unsigned) { QApplication::beep(); }
void (*gBeepHook)(unsigned) = DefaultBeep;

}  // namespace

const char* DialogKindName(TDialogKind kind) { return kKindNames[int(kind)]; }

TDialogService& DialogService() { return gService ? *gService : QtService(); }

TDialogServiceScope::TDialogServiceScope(TDialogService& service) : FPrevious(gService) {
    gService = &service;
}
TDialogServiceScope::~TDialogServiceScope() { gService = FPrevious; }

std::string MsgDlgCaption(TMsgDlgType type) {
    switch (type) {
    case mtWarning: return "警告";
    case mtError: return "错误";
    case mtInformation: return "信息";
    case mtConfirmation: return "确认";
    case mtCustom: break;
    }
    return CurrentApplicationTitle();
}

int MessageDlg(const std::string& msg, TMsgDlgType type, TMsgDlgButtons buttons, int) {
    TDialogRequest r;
    r.Kind = TDialogKind::MessageDlg;
    r.Caption = MsgDlgCaption(type);
    r.Text = msg;
    r.Flags = buttons;
    r.DlgType = type;
    return RunDialog(r).Result;
}

void ShowMessage(const std::string& msg) {
    TDialogRequest r;
    r.Kind = TDialogKind::MessageDlg;
    r.Caption = CurrentApplicationTitle();
    r.Text = msg;
    r.Flags = 1 << mbOK;
    r.DlgType = mtCustom;
    RunDialog(r);
}

bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
    TDialogRequest r;
    r.Kind = TDialogKind::InputQuery;
    r.Caption = caption;
    r.Text = prompt;
    r.Value = value;
    TDialogAnswer a = RunDialog(r);
    if (a.Result == 0) return false;
    value = a.Value;
    return true;
}

std::string InputBox(const std::string& caption, const std::string& prompt,
                     const std::string& defaultValue) {
    std::string value = defaultValue;
    return InputQuery(caption, prompt, value) ? value : defaultValue;
}

bool SelectDirectory(const std::string& caption, const std::string& root, std::string& directory) {
    TDialogRequest r;
    r.Kind = TDialogKind::SelectDirectory;
    r.Caption = caption;
    r.InitialDir = root;
    r.Value = directory.empty() ? root : directory;
    TDialogAnswer a = RunDialog(r);
    if (a.Result == 0) return false;
    directory = a.Value;
    return true;
}

void MessageBeep(unsigned type) { gBeepHook(type); }
void Beep() { gBeepHook(0); }
void SetBeepHook(void (*hook)(unsigned)) { gBeepHook = hook ? hook : DefaultBeep; }

std::vector<std::string> FilterToNameFilters(const std::string& filter) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= filter.size()) {
        size_t bar = filter.find('|', start);
        if (bar == std::string::npos) bar = filter.size();
        parts.push_back(filter.substr(start, bar - start));
        start = bar + 1;
    }
    if (filter.empty()) return {};
    std::vector<std::string> out;
    for (size_t i = 0; i < parts.size(); i += 2) {
        const std::string& desc = parts[i];
        std::string patterns = i + 1 < parts.size() ? parts[i + 1] : std::string();
        std::string qt;
        size_t p = 0;
        while (p < patterns.size()) {
            size_t semi = patterns.find(';', p);
            if (semi == std::string::npos) semi = patterns.size();
            std::string one = patterns.substr(p, semi - p);
            while (!one.empty() && one.front() == ' ') one.erase(0, 1);
            while (!one.empty() && one.back() == ' ') one.pop_back();
            if (!one.empty()) qt += (qt.empty() ? "" : " ") + one;
            p = semi + 1;
        }
        if (qt.empty()) qt = "*";
        out.push_back(desc + " (" + qt + ")");
    }
    return out;
}

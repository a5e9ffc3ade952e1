// The platform's own message boxes and dialogs as the user sees them (no harness: the
// dialogs really open; each is read and closed from inside its loop as soon as it runs).
#include "UiFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

namespace {

struct TSeen {
    int Width = 0;
    std::string Title;
    std::vector<std::string> Buttons;
    std::vector<std::string> Labels;
};

// Runs Open; the dialog it shows is read and closed (rejected) once its loop runs.
TSeen Seen(const std::function<void()>& Open) {
    TSeen seen;
    QTimer::singleShot(0, [&seen] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!d) return;
        seen.Width = d->width();
        seen.Title = d->windowTitle().toStdString();
        for (auto* b : d->findChildren<QAbstractButton*>())
            if (b->isVisible() && !b->text().isEmpty()) seen.Buttons.push_back(b->text().toStdString());
        for (auto* l : d->findChildren<QLabel*>())
            if (l->isVisible() && !l->text().isEmpty()) seen.Labels.push_back(l->text().toStdString());
        d->reject();
    });
    Open();
    return seen;
}

bool Has(const std::vector<std::string>& v, const std::string& s) { return std::find(v.begin(), v.end(), s) != v.end(); }

}  // namespace

// A short message keeps room for its caption in the title bar.
TEST(QtDialogs, NarrowMessageBoxesAreWideEnoughForTheirCaption) {
    Application->Initialize();
    QFont bold = QApplication::font();
    bold.setBold(true);
    for (const char* caption : {"提示", "提示框", "运行"}) {
        TSeen seen = Seen([&] { Application->MessageBox("无此收费项目!", caption, MB_OK); });
        EXPECT_EQ(seen.Title, caption);
        EXPECT_GE(seen.Width, QFontMetrics(bold).horizontalAdvance(QString::fromUtf8(caption)) + 120) << caption;
        EXPECT_TRUE(Has(seen.Buttons, "确定"));
    }
}

// The input box and the folder chooser speak Chinese.
TEST(QtDialogs, InputBoxAndFolderChooserAreChinese) {
    Application->Initialize();
    std::string value = "tulvo";
    TSeen input = Seen([&] { InputQuery("用户", "请输入用户名：", value); });
    EXPECT_EQ(input.Title, "用户");
    EXPECT_TRUE(Has(input.Buttons, "确定"));
    EXPECT_TRUE(Has(input.Buttons, "取消"));
    EXPECT_TRUE(Has(input.Labels, "请输入用户名："));
    EXPECT_EQ(value, "tulvo");   // cancelled: unchanged

    std::string folder = "/tmp";
    TSeen chooser = Seen([&] { SelectDirectory("选择备份文件夹", "", folder); });
    EXPECT_EQ(chooser.Title, "选择备份文件夹");
    EXPECT_TRUE(Has(chooser.Buttons, "确定")) << ::testing::PrintToString(chooser.Buttons);
    EXPECT_TRUE(Has(chooser.Buttons, "取消")) << ::testing::PrintToString(chooser.Buttons);
    EXPECT_TRUE(Has(chooser.Labels, "查找范围：")) << ::testing::PrintToString(chooser.Labels);
    EXPECT_TRUE(Has(chooser.Labels, "文件夹：")) << ::testing::PrintToString(chooser.Labels);
    EXPECT_EQ(folder, "/tmp");
}

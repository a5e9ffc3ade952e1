// The installed families from the font database; the kept list goes when the application
// reports that the fonts changed.
#include "platform/ui/ScreenFonts.h"

#include "platform/ui/QtText.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <algorithm>
#include <optional>

namespace {
std::optional<std::vector<TScreenFont>>& Kept() {
    static std::optional<std::vector<TScreenFont>> kept;
    return kept;
}
}  // namespace

const std::vector<TScreenFont>& ScreenFontFamilies() {
    auto& kept = Kept();
    if (kept) return *kept;
    static bool watching = false;
    if (!watching && QGuiApplication::instance()) {
        watching = true;
        QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, qGuiApp, [] { RefreshScreenFonts(); });
    }
    std::vector<TScreenFont> list;
    for (const QString& family : QFontDatabase::families())
        list.push_back(TScreenFont{StdStr(family), QFontDatabase::isScalable(family)});
    std::sort(list.begin(), list.end(), [](const TScreenFont& a, const TScreenFont& b) { return a.Name < b.Name; });
    list.erase(std::unique(list.begin(), list.end(), [](const TScreenFont& a, const TScreenFont& b) { return a.Name == b.Name; }),
               list.end());
    kept = std::move(list);
    return *kept;
}

void RefreshScreenFonts() { Kept().reset(); }

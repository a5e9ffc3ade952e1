// The installed families from the font database; the kept list goes when the application
// reports that the fonts changed.
#include "platform/ui/ScreenFonts.h"

#include "platform/ui/QtText.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <algorithm>
#include <optional>

namespace {
// A family that several foundries make is named once for each ("C059 [urw]", "C059 [UKWN]");
// the font is the family's whichever foundry's the system takes, so it is listed once.
QString FamilyWithoutFoundry(const QString& Family) {
    if (!Family.endsWith(QLatin1Char(']'))) return Family;
    const qsizetype open = Family.lastIndexOf(QLatin1String(" ["));
    return open > 0 ? Family.left(open) : Family;
}

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
        list.push_back(TScreenFont{StdStr(FamilyWithoutFoundry(family)), QFontDatabase::isScalable(family)});
    std::sort(list.begin(), list.end(), [](const TScreenFont& a, const TScreenFont& b) { return a.Name < b.Name; });
    // One entry per family: an outline font when any of its foundries' is.
    std::vector<TScreenFont> families;
    for (const TScreenFont& f : list) {
        if (!families.empty() && families.back().Name == f.Name) families.back().TrueType = families.back().TrueType || f.TrueType;
        else families.push_back(f);
    }
    list = std::move(families);
    kept = std::move(list);
    return *kept;
}

void RefreshScreenFonts() { Kept().reset(); }

#include "controls/Fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace fonts {

namespace {

QString tahomaFamily()
{
    static const QString family = [] {
        if (QFontDatabase::families().contains(QStringLiteral("Tahoma")))
            return QStringLiteral("Tahoma");
        const QStringList files = {QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"),
                                   QStringLiteral("/usr/share/wine/fonts/tahomabd.ttf")};
        QString loaded;
        for (const QString& file : files) {
            const int id = QFontDatabase::addApplicationFont(file);
            if (id >= 0 && loaded.isEmpty() &&
                !QFontDatabase::applicationFontFamilies(id).isEmpty())
                loaded = QFontDatabase::applicationFontFamilies(id).first();
        }
        return loaded.isEmpty() ? QStringLiteral("DejaVu Sans") : loaded;
    }();
    return family;
}

} // namespace

QFont arial(int pixelHeight)
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelHeight);
    return font;
}

QFont gridFont(bool bold)
{
    QFont font(tahomaFamily());
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}

} // namespace fonts

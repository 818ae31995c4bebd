#include "support/temp_folder.h"
#include "ui/program_icon.h"

#include <QColor>
#include <QDir>
#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <gtest/gtest.h>

namespace {

// An icon theme of the test's own in root, holding only what `icons` names (48 px PNGs).
void useTheme(const TempFolder& root, const QStringList& icons)
{
    QDir(QString::fromStdString(root.path().string())).mkpath("hicolor/48x48/apps");
    root.write("hicolor/index.theme", "[Icon Theme]\nName=hicolor\nDirectories=48x48/apps\n\n"
                                      "[48x48/apps]\nSize=48\nType=Fixed\n");
    for (const QString& name : icons) {
        QImage red(48, 48, QImage::Format_ARGB32);
        red.fill(Qt::red);
        ASSERT_TRUE(red.save(QString::fromStdString((root / "hicolor/48x48/apps").string()) + "/" + name + ".png"));
    }
    QIcon::setThemeSearchPaths({QString::fromStdString(root.path().string())});
    QIcon::setThemeName("hicolor");
}

} // namespace

TEST(ProgramIcon, WithoutAnInstalledIconTheBuiltInDrawingInEverySize)
{
    TempFolder root;
    useTheme(root, {});
    const QIcon icon = ui::programIcon();
    ASSERT_FALSE(icon.isNull());
    for (int size : {16, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size)));
        const QImage picture = icon.pixmap(size, size).toImage();
        EXPECT_EQ(picture.size(), QSize(size, size));
        // The reel's hub at the middle of the reel, not a blank square.
        EXPECT_NE(picture.pixelColor(size * 112 / 256, size * 108 / 256).alpha(), 0);
    }
}

TEST(ProgramIcon, TheInstalledIconOfTheThemeComesFirst)
{
    TempFolder root;
    useTheme(root, {QString::fromLatin1(ui::kAppId)});
    const QImage picture = ui::programIcon().pixmap(48, 48).toImage();
    ASSERT_EQ(picture.size(), QSize(48, 48));
    EXPECT_EQ(picture.pixelColor(24, 24), QColor(Qt::red));
}

#include "program_icon.h"

namespace ui {

QIcon programIcon()
{
    QIcon builtIn;
    for (int size : {16, 32, 48, 64, 128, 256})
        builtIn.addFile(QStringLiteral(":/icons/%1x%1.png").arg(size), QSize(size, size));
    return QIcon::fromTheme(QString::fromLatin1(kAppId), builtIn);
}

} // namespace ui

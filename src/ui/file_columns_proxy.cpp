#include "file_columns_proxy.h"

#include <QFileSystemModel>
#include <QLocale>

QVariant FileColumnsProxy::data(const QModelIndex& index, int role) const
{
    auto* files = qobject_cast<QFileSystemModel*>(sourceModel());
    if (!files || role != Qt::DisplayRole || index.column() == 0)
        return QIdentityProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    // The default locale is the program's (Italian); the file model's is the system's.
    const QLocale locale;
    switch (index.column()) {
    case 1:
        return files->isDir(source) ? QVariant() : QVariant(locale.formattedDataSize(files->size(source)));
    case 2:
        return files->isDir(source) ? QVariant(QStringLiteral("Cartella")) : QIdentityProxyModel::data(index, role);
    case 3:
        // The century too, as the program writes every date.
        return locale.toString(files->lastModified(source), QStringLiteral("dd/MM/yyyy HH:mm"));
    default:
        return QIdentityProxyModel::data(index, role);
    }
}

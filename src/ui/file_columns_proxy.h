#pragma once

#include <QIdentityProxyModel>

// The file dialog's columns written in the program's language: Qt's file model writes sizes,
// kinds and dates in the process locale, which need not be Italian.
class FileColumnsProxy : public QIdentityProxyModel
{
    Q_OBJECT
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override;
};

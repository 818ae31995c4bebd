#pragma once

#include <QDialog>

// The FilmUP lookup of film data.
class LookupWindow : public QDialog
{
    Q_OBJECT
public:
    explicit LookupWindow(QWidget* parent = nullptr);
};

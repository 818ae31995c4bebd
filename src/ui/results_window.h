#pragma once

#include <QDialog>

// The chooser of FilmUP search results.
class ResultsWindow : public QDialog
{
    Q_OBJECT
public:
    explicit ResultsWindow(QWidget* parent = nullptr);
};

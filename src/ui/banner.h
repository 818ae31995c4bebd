#pragma once

#include <QPixmap>

// The lookup window's banner, drawn here so that the program ships no picture of anyone's.
QPixmap lookupBanner(const QSize& size);

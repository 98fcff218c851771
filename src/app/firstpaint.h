// For the start-up benchmark: with QTM418_REPORT_FIRST_PAINT set, the first time a window paints
// itself the program says so on standard error ("first paint"). Otherwise nothing happens.
#pragma once

class QWidget;

void reportFirstPaint(QWidget* window);

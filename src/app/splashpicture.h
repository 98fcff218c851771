// The splash window's picture: the product name over the remote's blue.
#pragma once

#include <QPixmap>

QPixmap splashPicture();

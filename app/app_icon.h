#pragma once
#include <QIcon>

// The application icon, from the resources compiled into the window's library.
QIcon VelmoraIcon();

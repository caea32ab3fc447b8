#pragma once

#include <QString>

// The per-user data folder: sent-message copies and history files live here.
QString dataFolderLocation();

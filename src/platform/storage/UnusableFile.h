#pragma once

#include <QString>

// A stored file the program can't use (a folder or a link it must not follow
// in its place) does not stop it: the user is told once per run which file
// it is and why, and the program goes on without it.
void reportUnusableFile(const QString& path, const QString& problem);

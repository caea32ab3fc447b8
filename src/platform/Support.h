#pragma once

#include <QString>
#include <cstdint>

class QWidget;

// The support functions the forms rely on, on Qt and POSIX. A failure is
// raised as RuntimeError at the call site.

// Special folder numbers understood by ksGetSpecialFolder.
inline constexpr int SpecialFolderAppData = 26;

void ksRegisterAppPath();
bool ksIsInIDE();
QWidget* ksGetThunderMainHandle();
// A null window sets the application's own icon.
void ksSetWindowResIconAll(QWidget* window, const QString& resourceName);
QString ksGetSpecialFolder(int folder);
QString ksBuildFileName(const QString& folder, const QString& name);
bool ksCreateComplexDirectory(const QString& path);
void ksCenterFormEx(QWidget* window);
void ksPaintDesktop(QWidget* window);
void ksHighlightText(QWidget* textBox);
QString ksTrimEx(const QString& text);
QString ksFormatVersion(int major, int minor, int revision);
void ksUnloadForm(QWidget* window);
int ksGetRnd(int lowerBound, int upperBound);
QString ksHex1(std::uint8_t byte);
double ksGetFileSizeEx(const QString& path);
QString ksFormatByteSizeEx(double bytes);
QString ksGetFilePath(const QString& fullPath);

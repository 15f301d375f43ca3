#pragma once

#include <QString>

class QObject;

// What the program does to the photo files a user works on from the event list, in one place:
// nothing here ever replaces a file the user did not name, and a failure leaves every file as
// it was.
namespace OstPhotoFiles {

// Copies source over target in one step: the file it replaces stays whole until the copy is
// complete, and no other file (a "<target>.part" of the user's) is touched. False when it
// could not.
bool SaveCopy(const QString& source, const QString& target);

// Gives a photo a new path, never over another file. False when it could not.
bool Rename(const QString& oldPath, const QString& newPath);

// Sends a photo to the desktop's trash, or removes it where there is no trash. Only a regular
// file named by an absolute path: an empty name would otherwise name its whole folder.
void Discard(const QString& path);

// Asks the desktop's file manager to show the file's properties; without one, its folder is
// opened. The answer is awaited on context's thread.
void ShowProperties(const QString& path, QObject* context);

// The folder that holds help_1.htm for a language folder ("eng", "cht"): beside the program,
// where it is installed, or in the source tree of a build; empty when none has it.
QString FindHelpPage(const QString& languageFolder);

} // namespace OstPhotoFiles

#pragma once

#include "LineProcess.h"

#include <QString>
#include <QStringList>
#include <functional>

// One copy of the whole program (orbit_ui_driver) with a home, a runtime folder and a session
// bus of its own, driven through its windows. Waits run the caller's event loop, so the Skype
// stand-in and the other copy go on meanwhile.
class OrbitUiProcess : public LineProcess {
    Q_OBJECT
public:
    static QString ExecutablePath();

    // home: a folder of this copy's own (its settings, pictures and runtime folder go there).
    bool Start(const QString& busAddress, const QString& home, const QStringList& arguments = {},
               int timeoutMs = 30000);

    // Sends a command and waits for its "done"/"error" line; true for "done".
    bool Do(const QStringList& fields, int timeoutMs = 10000);

    QString Text(const QString& widget);
    bool Visible(const QString& widget);
    bool Enabled(const QString& widget);
    bool Checked(const QString& widget);
    // A figure of the process's memory line, in kB (0 when it did not answer).
    enum class Memory { Resident = 1, PeakResident = 2, HeapInUse = 3 };
    double MemoryKb(Memory figure);
    // The event list's rows, top first, each its cells' texts.
    QList<QStringList> Rows(const QString& list = QStringLiteral("1000"));

    // Waits for a message box whose text contains part; returns its whole text or "".
    QString WaitForMessage(const QString& part, int timeoutMs, int from = 0);
    bool WaitUntil(const std::function<bool()>& condition, int timeoutMs);

    // Ends the program at once, as a lost session or a power cut would (SIGKILL).
    void Kill();

    QString Home() const { return home_; }
    QString PicturesFolder() const { return home_ + QStringLiteral("/Pictures/Orbit/"); }

private:
    QStringList Query(const QStringList& fields, const QString& answer);

    QString home_;
};

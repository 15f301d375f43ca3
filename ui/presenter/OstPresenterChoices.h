#pragma once

#include <QString>
#include <QStringList>

// What the presenter view remembers between starts, in the program's configuration file
// (QSettings "Ostrel"/"Orbit", group "Presenter"), never in "Settings.xml": the screen it was
// last shown on and the quarter turns of the picture.
struct OstPresenterChoices {
    // The screen's name as the window system gives it; empty before the first use.
    QString screen;
    // Quarter turns clockwise, 0..3.
    int rotation = 0;

    static OstPresenterChoices Load();
    // False when the file could not be written; the choices then last until the program ends.
    bool Save() const;

    // The screen to fill, as an index into `screens`: the remembered one while it is connected;
    // otherwise the first one the dialog is not on (the projector's); with one screen, that
    // one. -1 without screens.
    static int ChooseScreen(const QStringList& screens, const QString& dialogScreen,
                            const QString& remembered);
};

#pragma once

#include "COrbit_MainWnd.h"

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

// Every box the controller opens is answered with its default button, and its text kept.
inline void AnswerEveryBox(COrbit_MainWnd& controller, QStringList& texts) {
    QObject::connect(&controller, &COrbit_MainWnd::messageShown, [&texts](const QString& text) {
        texts.append(text);
        QTimer::singleShot(0, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->accept();
        });
    });
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "monitor/screentimer.h"

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

// The disk screen: free and used share of the file system holding the Documents folder as two
// rings and five figures, refreshed every 2 s while shown. When the sizes cannot be read (or the
// total is 0) the screen keeps what it shows.
class HDDViewController : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Presented by the main screen")
    Q_PROPERTY(int freeMem READ freeMem NOTIFY figuresChanged)
    Q_PROPERTY(int UsedMeem READ UsedMeem NOTIFY figuresChanged)
    Q_PROPERTY(QString fleeLbl READ fleeLbl NOTIFY figuresChanged)
    Q_PROPERTY(QString usedLbl READ usedLbl NOTIFY figuresChanged)
    Q_PROPERTY(QString usedPrLbl READ usedPrLbl NOTIFY figuresChanged)
    Q_PROPERTY(QString freePRLbl READ freePRLbl NOTIFY figuresChanged)
    Q_PROPERTY(QString total READ total NOTIFY figuresChanged)
    Q_PROPERTY(bool tablet READ tablet CONSTANT)

public:
    static constexpr int kIntervalMs = 2000;
    HDDViewController(QString documents, bool tablet, QObject *parent = nullptr);

    int freeMem() const { return m_freeMem; }
    int UsedMeem() const { return m_UsedMeem; }
    QString fleeLbl() const { return m_fleeLbl; }
    QString usedLbl() const { return m_usedLbl; }
    QString usedPrLbl() const { return m_usedPrLbl; }
    QString freePRLbl() const { return m_freePRLbl; }
    QString total() const { return m_total; }
    bool tablet() const { return m_tablet; }
    QTimer &timer() { return m_nt; }

    Q_INVOKABLE void refresh();
    Q_INVOKABLE void setShown(bool shown);
    // The back button: stops the timer and asks to be closed.
    Q_INVOKABLE void goBAckAction();

signals:
    void figuresChanged();
    void closeRequested();

private:
    QString m_documents;
    bool m_tablet;
    ScreenTimer m_nt{kIntervalMs};
    int m_freeMem = 0;
    int m_UsedMeem = 0;
    QString m_fleeLbl;
    QString m_usedLbl;
    QString m_usedPrLbl;
    QString m_freePRLbl;
    QString m_total;
    bool m_loaded = false;
};

#pragma once

#include "GM_WidgetAuto.h"

class QDialogButtonBox;
class QLabel;
class QTextBrowser;

// The about box: the program's name and version, the Qt version it runs on,
// and the licences of the fonts and libraries that travel with it.
class ZB_About : public GM_WidgetAuto
{
    Q_OBJECT

public:
    explicit ZB_About(QWidget* parent = nullptr);
    ~ZB_About() override;

    // The version line: the application's version as set at start, or
    // "inconnue" when none was set.
    static QString texteVersion();
    // The credits as rich text: one entry per embedded font family and
    // library, with its licence.
    static QString texteLicences();

    QLabel* getLabelVersion() const { return version_; }
    QTextBrowser* getLicences() const { return licences_; }

signals:
    void signalClosed();

protected:
    void changeEvent(QEvent* event) override;

private:
    // Sets every text the user reads, in the language in force: at
    // construction and at each language switch.
    void retranslateUi();

    QLabel* titre_;
    QLabel* version_;
    QTextBrowser* licences_;
    QDialogButtonBox* boutons_;
};

#pragma once
// The report preview: a list of pages, the page itself at a chosen zoom (120 % to begin with),
// first/previous/next/last page, and printing. Pages are read from the spool only when shown,
// so a report of thousands of pages opens at once. The window's placement is kept in the
// module settings per report.
#include "platform/report/PagePainter.h"
#include "platform/report/Spool.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QLabel;
class QListView;
class QPrinter;
class QScrollArea;
class QToolButton;

namespace pravik::report {

class PreviewWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr double kDefaultZoom = 1.2;

    // spoolPath: a finished spool. settingsKey names the report whose placement is kept
    // ("PRN_OBROTY_SQL"); copies is what printing from the preview starts with.
    PreviewWindow(const QString& spoolPath, const QString& title, const QString& settingsKey, int copies = 1,
                  QWidget* parent = nullptr);
    ~PreviewWindow() override;

    // False when the spool could not be read (errorString() says why); the window shows no page.
    bool isValid() const { return m_spool.isOpen(); }
    QString errorString() const { return m_error; }

    int pageCount() const { return m_spool.pageCount(); }
    int currentPage() const { return m_current; } // 0-based, -1 without pages
    double zoom() const { return m_zoom; }
    // The page as shown now (for tests and for copying).
    QImage pageImage() const { return m_image; }
    // Whether the report was sent to a printer from this window.
    bool printed() const { return m_printed; }

    // Sends every page to the printer; false (with errorString()) when printing failed.
    bool printTo(QPrinter& printer);

    // Where the placement of a report's preview is kept in the module settings.
    static QString settingsSection();

public slots:
    void showPage(int index);
    void firstPage();
    void previousPage();
    void nextPage();
    void lastPage();
    void setZoom(double zoom);
    // Asks for the printer ("Wybierz Drukarkę") and prints.
    void print();

protected:
    void done(int result) override;

private:
    void buildUi();
    void render();
    void updateControls();
    void restorePlacement();
    void savePlacement();

    SpoolReader m_spool;
    std::unique_ptr<PagePainter> m_pagePainter;
    QString m_settingsKey;
    QString m_error;
    int m_copies;
    int m_current = -1;
    double m_zoom = kDefaultZoom;
    bool m_printed = false;
    QImage m_image;

    QListView* m_pageList = nullptr;
    QScrollArea* m_scroll = nullptr;
    QLabel* m_pageView = nullptr;
    QLabel* m_pageLabel = nullptr;
    QComboBox* m_zoomBox = nullptr;
    QToolButton* m_first = nullptr;
    QToolButton* m_previous = nullptr;
    QToolButton* m_next = nullptr;
    QToolButton* m_last = nullptr;
    QToolButton* m_print = nullptr;
};

} // namespace pravik::report

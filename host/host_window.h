// CHostWindow: the main window of quorin-host, a reference host standing in for a test module.
// It opens a test sequence, lists the component's own items, shows the embedded panel of the
// selected item (created only through the component's interfaces), draws the item's result and
// parameter summaries beside it, saves the sequence and exports the result data. Notices of the
// component appear in the status bar.
#pragma once

#include <QMainWindow>
#include <QString>

#include <string>

#include "template/sequence_text.h"

class QLabel;
class QListWidget;

namespace quorin {

class CQuorinClient;

class CHostWindow : public QMainWindow {
    Q_OBJECT
public:
    // client must be created and outlive the window.
    explicit CHostWindow(CQuorinClient& client, QWidget* parent = nullptr);

    // Geometry of the panel and of the two drawings in the side area.
    static constexpr int kPanelWidth = 560;
    static constexpr int kPanelHeight = 400;
    static constexpr int kDrawingWidth = 420;
    static constexpr int kResultHeight = 230;
    static constexpr int kParameterHeight = 170;

    // Reads the sequence file, loads it into the component and shows its first own item. False,
    // with the reason in *error, when the file cannot be read (the shown sequence stays).
    bool OpenSequence(const QString& path, QString* error = nullptr);
    // Applies the shown item's entries and writes the sequence: the item blocks from the
    // component, every byte around and between them as read. The old file stays whole on
    // failure (false, reason in *error).
    bool SaveSequence(const QString& path, QString* error = nullptr);
    // Applies the shown item's entries and writes the result data (ANSI) to path; withValueList
    // puts the template's value list first.
    bool ExportResultData(const QString& path, bool withValueList, QString* error = nullptr);

    // Shows the item at a component index: the entries of the item shown before are applied,
    // the panel shows the item in result-entry mode, the summaries are drawn anew.
    void ShowItem(int index);
    // Applies the shown item's entries and draws its summaries anew (the page reloads the item).
    void RefreshSummary();

    int ShownItem() const { return shown_; }
    const QString& SequencePath() const { return path_; }
    QListWidget* ItemList() const { return list_; }
    QWidget* PanelHost() const { return panelHost_; }
    QWidget* DrawingArea() const { return drawingArea_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    void FillItemList();
    void ApplyShownItem();
    void DrawSummaries();
    void UpdateStatus();
    void OnOpen();
    void OnSave();
    void OnSaveAs();
    void OnExport(bool withValueList);
    void ShowError(const QString& text);

    CQuorinClient& client_;
    QListWidget* list_;
    QWidget* panelHost_;
    QWidget* drawingArea_;
    QLabel* modeLabel_;
    QString path_;
    SequenceText file_;
    int shown_ = -1;
};

}  // namespace quorin

#pragma once

#include "app/preview_loader.h"

#include <QDockWidget>

#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

class PreviewView;
class QLabel;
class QStackedWidget;
class QToolButton;

// The 3-D preview: a dock beside the views that shows the figure's geometry, the part of
// the moment lit up and its children in a softer colour, the groups no level line uses
// in a warning colour. It reads on its own thread, and says in words what it cannot show:
// where no OpenGL context can be had, nothing of it touches OpenGL.
class PreviewPane final : public QDockWidget {
    Q_OBJECT

public:
    explicit PreviewPane(QWidget* parent = nullptr);
    ~PreviewPane() override;

    // Reads the files a test passed with; usedParts: its defined parts, folded.
    void Load(std::vector<std::string> files, std::unordered_set<std::string> usedParts);
    // Reads the last files again.
    void Reload();
    // A failed or cancelled test: the last geometry stays, greyed, "not tested".
    void ShowUntested();
    // Another document: nothing shown.
    void Clear();
    // The part of the moment and the parts below it, in any letter case; empty: none.
    void SetCurrentPart(const std::string& part, const std::vector<std::string>& children);

    // What the pane says in words instead of, or above, the figure.
    QString Words() const;
    // The drawing, once a context was found at the first showing; none without one.
    PreviewView* View() const { return view_; }
    std::shared_ptr<const PreviewGeometry> Geometry() const { return geometry_; }
    // The part lit up, in folded letter case; empty for none.
    const std::string& CurrentPart() const { return currentPart_; }
    // The group of the geometry by its name, letter case ignored; -1 when none.
    int GroupOf(const std::string& part) const;

signals:
    // A click on a part of the figure.
    void partClicked(const std::string& part);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void MakeView();
    void Loaded(std::shared_ptr<const PreviewGeometry> geometry);
    void Say(const QString& words);
    void Colour();

    PreviewLoader loader_;
    QStackedWidget* pages_ = nullptr;
    QLabel* words_ = nullptr;
    QLabel* state_ = nullptr;
    QToolButton* fitButton_ = nullptr;
    QToolButton* reloadButton_ = nullptr;
    PreviewView* view_ = nullptr;
    bool probed_ = false;
    std::shared_ptr<const PreviewGeometry> geometry_;
    std::vector<std::string> files_;
    std::unordered_set<std::string> usedParts_;
    std::string currentPart_; // folded
    std::unordered_set<std::string> children_; // folded
    bool untested_ = false;
};

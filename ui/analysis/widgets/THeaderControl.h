#pragma once

// The graph-list header of the analysis window: a control Qt lacks as such, with per-section
// width limits.

#include <QHeaderView>
#include <QPointer>

#include <vector>

class QStandardItemModel;

namespace korvex {

// A horizontal header of captioned sections, each with its own minimum and maximum width. Not
// reorderable. SectionResize fires only for a resize by the user, after the width was clamped.
// It sits at the top of whichever widget is its parent and spans that parent's width.
class THeaderControl : public QHeaderView {
    Q_OBJECT
public:
    explicit THeaderControl(QWidget* parent = nullptr);

    void AddSection(int width, int minWidth, int maxWidth, const QString& caption = {});
    void DeleteSection(int index);
    int SectionCount() const;
    int SectionWidth(int index) const;
    int SectionLeft(int index) const;
    // Clamps to the section's limits; fires no SectionResize.
    void SetSectionWidth(int index, int width);
    void SetSectionMinWidth(int index, int minWidth);
    int SectionMinWidth(int index) const;
    QString SectionCaption(int index) const;
    void SetSectionCaption(int index, const QString& caption);
    // The section under x (left <= x <= left + width, first match), or -1.
    int SectionAt(int x) const;
    // Sum of all section widths.
    int SectionsTotal() const;
    // The width that shows the section's caption whole, margins included.
    int CaptionFitWidth(int index) const;

signals:
    void SectionResize(int section);
    void HeaderMouseMove(int x);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FollowParent();
    void OnSectionResized(int index, int oldSize, int newSize);

    struct Limits {
        int minWidth;
        int maxWidth;
    };
    QStandardItemModel* model_;
    std::vector<Limits> limits_;
    int programmatic_ = 0;
    QPointer<QWidget> followed_;
};

} // namespace korvex

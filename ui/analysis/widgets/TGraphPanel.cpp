#include "ui/analysis/widgets/TGraphPanel.h"

#include "ui/analysis/widgets/ChildWidgets.h"
#include "ui/chart/SeriesPlottable.h"

#include <QCheckBox>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollArea>
#include <QStyle>

#include <algorithm>

namespace korvex {

namespace {

const char* const kTag = "tag";
const char* const kAnchorInset = "anchorInset";

void Fill(QWidget* widget, const QColor& colour)
{
    QPalette p = widget->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        p.setColor(group, QPalette::Window, colour);
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

} // namespace

// ---- GraphNameLabel ----

GraphNameLabel::GraphNameLabel(QWidget* parent) : QLabel(parent)
{
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

int GraphNameLabel::CaptionWidth() const
{
    return fontMetrics().horizontalAdvance(text());
}

void GraphNameLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect r = contentsRect();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, r.width());
    style()->drawItemText(&painter, r, static_cast<int>(alignment()), palette(), isEnabled(), shown,
                          foregroundRole());
}

// ---- TGraphPanel ----

int TGraphPanel::RowHeight(const QFont& font)
{
    static int cachedHeight = 0;
    static QString cachedFont;
    const QString key = font.toString();
    if (cachedHeight == 0 || key != cachedFont) {
        QCheckBox probe;
        probe.setFont(font);
        cachedHeight = std::max(8, probe.sizeHint().height() - 1);
        cachedFont = key;
    }
    return cachedHeight;
}

TGraphPanel::TGraphPanel(AnalysisDataSet& dataSet, int field, int rowHeight, bool withOverviewBox,
                         QWidget* parent)
    : QFrame(parent), dataSet_(dataSet), tag_(field)
{
    const int h = rowHeight;
    setFrameShape(QFrame::NoFrame);
    Fill(this, WindowTint());
    setProperty(kTag, field);

    swatch_ = new QFrame(this);
    swatch_->setFrameShape(QFrame::NoFrame);
    swatch_->setGeometry(2, 0, h, h);
    swatch_->setProperty(kTag, field);

    nameLabel_ = new GraphNameLabel(this);
    nameLabel_->setGeometry(swatch_->x() + swatch_->width() + 2, 2, 0, std::max(1, h - 2));
    nameLabel_->setProperty(kTag, field);

    const int width = parent ? parent->width() : 0;
    showBox_ = new QCheckBox(this);
    showBox_->setGeometry(width * 168 / 200, 0, h, h);
    showBox_->setProperty(kTag, field);

    if (withOverviewBox) {
        overviewBox_ = new QCheckBox(this);
        overviewBox_->setGeometry(width * 184 / 200, 0, h, h);
        overviewBox_->setProperty(kTag, field);
    }
    Refresh();
}

void TGraphPanel::Refresh()
{
    const DeviceSettings* settings = dataSet_.deviceSettings();
    if (!settings || tag_ < 0 || tag_ >= settings->fieldCount())
        return;
    const bool available = dataSet_.available(tag_);
    Fill(swatch_, ToQColor(settings->colour(tag_)));
    swatch_->setEnabled(available);

    const QString name = QString::fromStdString(settings->label(tag_));
    if (nameLabel_->text() != name) {
        nameLabel_->setText(name);
        SetNameWidth(nameLabel_->width());
    }
    nameLabel_->setEnabled(available);

    showBox_->setChecked(dataSet_.shownOrRemembered(tag_));
    showBox_->setEnabled(available);
    if (overviewBox_) {
        overviewBox_->setChecked(dataSet_.selected(tag_));
        overviewBox_->setEnabled(available);
    }
}

void TGraphPanel::SetNameWidth(int maxWidth)
{
    maxWidth = std::max(maxWidth, 0);
    nameLabel_->setMaximumWidth(maxWidth);
    nameLabel_->resize(maxWidth, nameLabel_->height());
    // A cut caption is readable in full as the hint; an uncut one needs none.
    nameLabel_->setToolTip(nameLabel_->CaptionWidth() > maxWidth ? nameLabel_->text() : QString());
}

// ---- GraphListContent ----

GraphListContent::GraphListContent(QWidget* parent) : QWidget(parent) {}

void GraphListContent::AnchorRight(QWidget* child, int inset)
{
    child->setProperty(kAnchorInset, inset);
}

void GraphListContent::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (event->size().width() == event->oldSize().width())
        return;
    for (QObject* object : children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (!child)
            continue;
        const QVariant inset = child->property(kAnchorInset);
        if (!inset.isValid())
            continue;
        const int w = std::max(0, width() - child->x() - inset.toInt());
        // A wrapped text (the Overview hint) takes the lines its new width needs.
        auto* label = qobject_cast<QLabel*>(child);
        child->resize(w, label && label->wordWrap() ? label->heightForWidth(w) : child->height());
    }
}

// ---- GraphListBox ----

GraphListBox::GraphListBox(AnalysisDataSet& dataSet, QScrollArea* list, QWidget* overviewContent,
                           QWidget* headerControl)
    : dataSet_(dataSet), list_(list), overviewContent_(overviewContent),
      headerControl_(headerControl)
{}

GraphListBox::~GraphListBox()
{
    if (!list_)
        return;
    // The header belongs to the window, not to the list that shows it.
    if (headerControl_ && overviewContent_ && list_->isAncestorOf(headerControl_)) {
        headerControl_->setParent(overviewContent_);
        headerControl_->show();
    }
    delete list_.data();
}

std::vector<TGraphPanel*> GraphRowsOf(const QWidget* content)
{
    std::vector<TGraphPanel*> rows;
    if (!content)
        return rows;
    for (QObject* child : content->children()) {
        if (auto* row = qobject_cast<TGraphPanel*>(child))
            rows.push_back(row);
    }
    return rows;
}

void GraphListBox::RefreshIn(QWidget* content, int field)
{
    for (TGraphPanel* row : GraphRowsOf(content)) {
        if (&row->DataSet() != &dataSet_ || (field >= 0 && row->Tag() != field))
            continue;
        row->Refresh();
        row->update();
    }
}

void GraphListBox::RefreshField(int field)
{
    if (field < 0)
        return;
    if (list_)
        RefreshIn(list_->widget(), field);
    if (overviewContent_)
        RefreshIn(overviewContent_, field);
}

void GraphListBox::RefreshAll()
{
    if (list_)
        RefreshIn(list_->widget(), -1);
    if (overviewContent_)
        RefreshIn(overviewContent_, -1);
}

} // namespace korvex

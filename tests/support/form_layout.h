// What a person sees of a form's layout: which label reads beside a box, and
// whether anything covers anything else. Labels are measured by the text
// they draw, not by their widget, which may be wider than its text.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QList>
#include <QRect>
#include <QWidget>

#include <gtest/gtest.h>

namespace orvalt::test {

// The part of the label that its text covers.
inline QRect TextRect(const QLabel* label) { return {label->pos(), label->sizeHint()}; }

// Where `w` shows itself to the eye: a label's text, any other widget whole.
inline QRect SeenRect(const QWidget* w) {
    if (const auto* label = qobject_cast<const QLabel*>(w)) return TextRect(label);
    return w->geometry();
}

// Whether a covers part of b. Twips round to pixels, so two controls laid
// edge to edge may share their outermost pixel: that is touching, not
// covering.
inline bool Covers(const QRect& a, const QRect& b) {
    return a.adjusted(1, 1, -1, -1).intersects(b.adjusted(1, 1, -1, -1));
}

// The nearest label on the same row as `box` (its text overlapping the box's
// height), to the box's left (before) or right (after); null when none.
inline QLabel* LabelBeside(QWidget* box, bool before) {
    QLabel* nearest = nullptr;
    const QRect b = box->geometry();
    for (QLabel* label : box->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        const QRect t = TextRect(label);
        if (t.bottom() < b.top() || t.top() > b.bottom()) continue;
        const bool onSide = before ? t.right() <= b.left() : t.left() >= b.right();
        if (!onSide) continue;
        if (nearest == nullptr || (before ? t.left() > nearest->x() : t.left() < nearest->x()))
            nearest = label;
    }
    return nearest;
}

// Every control on `page` (its direct children) lies inside it and none
// covers another.
inline void ExpectNothingOverlaps(QWidget* page) {
    const QList<QWidget*> controls = page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (qsizetype i = 0; i < controls.size(); ++i) {
        const QRect r = SeenRect(controls[i]);
        EXPECT_TRUE(page->rect().contains(r)) << controls[i]->objectName().toStdString();
        for (qsizetype j = i + 1; j < controls.size(); ++j)
            EXPECT_FALSE(Covers(r, SeenRect(controls[j])))
                << controls[i]->objectName().toStdString() << " covers "
                << controls[j]->objectName().toStdString();
    }
}

} // namespace orvalt::test

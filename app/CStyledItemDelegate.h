#pragma once

#include <QStyledItemDelegate>

// Item delegate for popup lists under the themed window: with a styled
// delegate the lists honour the style sheet's item rules.
class CStyledItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CStyledItemDelegate(QObject *poParent = nullptr);
};

#include "app/CStyledItemDelegate.h"

CStyledItemDelegate::CStyledItemDelegate(QObject *poParent) : QStyledItemDelegate(poParent) {}

#pragma once
#include <QLabel>

// The heading at the top of a page: large bold text, object name "labelTitle".
class HPageTitle : public QLabel
{
    Q_OBJECT
public:
    explicit HPageTitle(QWidget* parent = nullptr);
};

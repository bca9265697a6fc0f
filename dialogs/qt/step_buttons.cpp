#include "dialogs/qt/step_buttons.h"

#include <QToolButton>
#include <QVBoxLayout>

QWidget* StepButtons(QWidget* parent, const QString& name, std::function<void(std::int32_t step)> onStep) {
    auto* pair = new QWidget(parent);
    auto* layout = new QVBoxLayout(pair);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const std::int32_t step : {1, -1}) {
        auto* button = new QToolButton(pair);
        button->setArrowType(step > 0 ? Qt::UpArrow : Qt::DownArrow);
        button->setObjectName(name + (step > 0 ? QStringLiteral("Up") : QStringLiteral("Down")));
        button->setFixedSize(18, 12);
        QObject::connect(button, &QToolButton::clicked, pair, [onStep, step] { onStep(step); });
        layout->addWidget(button);
    }
    return pair;
}

#pragma once

#include <QString>
#include <cstdint>
#include <functional>

class QWidget;

// Two small caption-less arrow buttons, one above the other, beside a numeric field: the upper
// one steps by +1, the lower one by −1. They are named name + "Up" and name + "Down".
QWidget* StepButtons(QWidget* parent, const QString& name, std::function<void(std::int32_t step)> onStep);

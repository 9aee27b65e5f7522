// The application-wide hint switch: while hints are off, no widget shows its tool tip or
// status tip.
#pragma once

#include <QObject>

namespace dravenloom {

class HintSwitch : public QObject {
    Q_OBJECT

public:
    // Watches every event of the application from now on.
    explicit HintSwitch(QObject* parent = nullptr);
    ~HintSwitch() override;

    void SetEnabled(bool enabled);
    bool Enabled() const { return On; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool On = true;
};

} // namespace dravenloom

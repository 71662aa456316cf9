#include "controls/accessibility.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>

#include "controls/label.h"
#include "controls/slider.h"

namespace {

// A label: a button when it takes a click or a double-click, whose press
// action gives that same click; otherwise text. It is named by its
// accessible name, else by its text.
class LabelAccessible : public QAccessibleWidget {
public:
    explicit LabelAccessible(Label* label)
        : QAccessibleWidget(label,
                            label->Pressable() ? QAccessible::Button : QAccessible::StaticText) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
            return Own()->text();
        return QAccessibleWidget::text(kind);
    }
    QStringList actionNames() const override {
        return Own()->Pressable() ? QStringList{pressAction()} : QAccessibleWidget::actionNames();
    }
    void doAction(const QString& name) override {
        if (name == pressAction() && Own()->Pressable())
            Own()->Activate();
        else
            QAccessibleWidget::doAction(name);
    }

private:
    Label* Own() const { return static_cast<Label*>(widget()); }
};

// A slider whose value a tool reads and sets; setting it moves the pointer
// as the user does.
class SliderAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit SliderAccessible(Slider* slider) : QAccessibleWidget(slider, QAccessible::Slider) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QVariant currentValue() const override { return Own()->Value(); }
    void setCurrentValue(const QVariant& value) override { Own()->MoveTo(value.toInt()); }
    QVariant maximumValue() const override { return Own()->Maximum(); }
    QVariant minimumValue() const override { return Own()->Minimum(); }
    QVariant minimumStepSize() const override { return 1; }

private:
    Slider* Own() const { return static_cast<Slider*>(widget()); }
};

QAccessibleInterface* Describe(const QString& className, QObject* object) {
    if (className == QLatin1String("Label"))
        return new LabelAccessible(static_cast<Label*>(object));
    if (className == QLatin1String("Slider"))
        return new SliderAccessible(static_cast<Slider*>(object));
    return nullptr;
}

} // namespace

namespace MP3Mod {

void InstallAccessibility() {
    QAccessible::installFactory(&Describe);
}

} // namespace MP3Mod

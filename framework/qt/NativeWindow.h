#pragma once

// The Qt side of windows and controls; not for program code. Tests include it
// to look at the real widgets behind a Window or a RectControl.

#include "fw/Controls.h"
#include "fw/Window.h"

#include <QPalette>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

class QMenuBar;
class QVBoxLayout;

namespace fw {

class TopLevelWidget;

// The Qt objects behind a Window: a top-level widget whose layout puts the
// menu bar above the content area, in which the controls stand at Left/Top.
struct WindowNative {
    explicit WindowNative(Window& owner);
    ~WindowNative();
    WindowNative(const WindowNative&) = delete;
    WindowNative& operator=(const WindowNative&) = delete;

    QPointer<TopLevelWidget> topLevel;
    QWidget* content = nullptr; // owned by topLevel
    QVBoxLayout* layout = nullptr; // owned by topLevel
    QPointer<QMenuBar> menuBar;
    // Set until Constructor has run the set-up events; showing waits for it.
    bool building = true;
    // Set while the framework itself sizes the window, so that the resizes it
    // causes are not taken for the user's.
    bool applyingGeometry = false;
    // Set while SetProperties_ walks a record; the size is applied at its end.
    int batchDepth = 0;
    bool geometryPending = false;
    std::int64_t pendingWidth = 0;
    std::int64_t pendingHeight = 0;
};

// The Qt widget behind a control, a child of its window's content area.
struct ControlNative {
    explicit ControlNative(QWidget* widget);
    ~ControlNative();
    ControlNative(const ControlNative&) = delete;
    ControlNative& operator=(const ControlNative&) = delete;

    QPointer<QWidget> widget;
    // Set while the framework writes the widget's text, and while the user's
    // edit is copied back, so that neither echoes into the other.
    bool syncingText = false;
    // Set while SetProperties_ walks a record: the widget and the tab order
    // are brought up to date once, at its end.
    int batchDepth = 0;
    bool syncPending = false;
    bool tabOrderPending = false;
    // The colours last put into the widget's palette, which is set again only
    // when they change.
    std::optional<std::vector<std::pair<QPalette::ColorRole, Color>>> appliedColors;
};

// Orders the window's controls in the focus chain by TabIndex (ties keep the
// order of registration).
void ApplyTabOrder(Window& window);

namespace detail {

    // The object as the class a property table belongs to.
    template <class C> C& As(Object& object)
    {
        auto* typed = dynamic_cast<C*>(&object);
        if (!typed)
            throw IllegalCastException(
                "an object of class " + object.Class().name + " has no property of class " + C::Lookup__().name);
        return *typed;
    }

    // A property table's setter entry: calls the class's setter with the value
    // the record reader decoded for the property's declared type.
    template <class C, class V, void (C::*Set)(V)> void SetProperty(Object& object, const PropertyValue& value)
    {
        (As<C>(object).*Set)(std::get<std::remove_cvref_t<V>>(value));
    }

    template <class C, void (C::*Set)(std::int64_t)>
    constexpr PropertyInfo IntegerProperty(std::string_view name, std::string_view typeName = "Integer")
    {
        return { name, PropertyType::Integer, typeName, &SetProperty<C, std::int64_t, Set> };
    }

    template <class C, void (C::*Set)(bool)> constexpr PropertyInfo BooleanProperty(std::string_view name)
    {
        return { name, PropertyType::Boolean, "Boolean", &SetProperty<C, bool, Set> };
    }

    template <class C, void (C::*Set)(std::string)> constexpr PropertyInfo StringProperty(std::string_view name)
    {
        return { name, PropertyType::String, "String", &SetProperty<C, std::string, Set> };
    }

    template <class C, void (C::*Set)(Color)> constexpr PropertyInfo ColorProperty(std::string_view name)
    {
        return { name, PropertyType::Color, "Color", &SetProperty<C, Color, Set> };
    }

} // namespace detail

// A setter for a property that changes nothing on the native side: it only stores.
#define FW_STORED_SETTER(Class, Property, Type, member)                                                                \
    void Class::Property(Type value)                                                                                   \
    {                                                                                                                  \
        CheckMainThread(#Class "." #Property);                                                                         \
        member = std::move(value);                                                                                     \
    }

// Ends the framework's hold on every window; run by the finalisation.
void ReleaseAllWindows();

// Test accessors; nullptr before the object's Constructor has run.
QWidget* NativeWindow(const Window& window);
QWidget* ContentArea(const Window& window);
QWidget* NativeWidget(const RectControl& control);

} // namespace fw

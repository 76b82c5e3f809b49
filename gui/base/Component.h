// Components with owners and names, the values a form description gives their properties,
// and the table of handler methods that event bindings name. Portable: no windows.h here.
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <typeindex>
#include <typeinfo>
#include <vector>

namespace gui {

// The class library's error type; an uncaught one reaches the application-wide error report.
class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raised when an object is used as a class it is not, e.g. a form-only component on a non-form.
class EInvalidCast : public Exception {
public:
    EInvalidCast() : Exception("Invalid class typecast") {}
};

// One property value as written in a form description.
struct PropertyValue {
    enum class Kind { Integer, Float, String, Identifier, Set, List, Binary };
    Kind kind = Kind::Integer;
    int64_t integer = 0;
    double real = 0;
    std::string text;                // String and Identifier
    std::vector<std::string> items;  // Set members, List strings
    std::vector<uint8_t> data;       // Binary

    static PropertyValue Int(int64_t v);
    static PropertyValue Str(std::string v);
    static PropertyValue Ident(std::string v);

    // Typed reads; a value of another kind raises Exception("Invalid property value").
    int32_t AsInt() const;
    bool AsBool() const;  // the identifiers True and False
    const std::string& AsString() const;
    const std::string& AsIdent() const;
    // An enumeration written by name: the index of the matching name (case-insensitive).
    int AsEnum(std::initializer_list<const char*> names) const;
    // A set written as [a, b]: bit i stands for names[i]. Unknown members raise Exception.
    uint32_t AsSet(std::initializer_list<const char*> names) const;
};

// Case-insensitive comparison, as the class library compares names. Every name a description
// gives (classes, components, properties, handlers) is compared this way.
bool SameText(const std::string& a, const std::string& b);
// The matching order for maps keyed by such names.
struct NameLess {
    bool operator()(const std::string& a, const std::string& b) const;
};

// The application-wide error report. The layer calls every event handler through Fire, so an
// exception that a handler does not catch ends that handler and is reported here, and the
// program goes on. The application object installs the real report (a message box); until then
// the text goes to stderr.
using ExceptionReport = std::function<void(const std::exception& error)>;
void SetExceptionReport(ExceptionReport report);
void ReportException(const std::exception& error);

// Calls an event handler if one is bound; returns whether one was.
template <class Event, class... Args>
bool Fire(const Event& handler, Args&&... args) {
    if (!handler) return false;
    try {
        handler(std::forward<Args>(args)...);
    } catch (const std::exception& error) {
        ReportException(error);
    } catch (...) {
        ReportException(Exception("Unknown exception"));
    }
    return true;
}

// Anything whose properties a form description can set (fonts and appearance objects as well
// as components).
class TPersistent {
public:
    virtual ~TPersistent() = default;
    // Applies one property; a dotted name ("Font.Style") addresses an object the receiver
    // owns. Returns false when the receiver has no such property.
    virtual bool SetProperty(const std::string& name, const PropertyValue& value);
};

class TComponent;
using TObject = TComponent;
using TNotifyEvent = std::function<void(TObject* sender)>;

class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;  // frees every owned component, last created first
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    // The class name form descriptions use for this object ("TLabel", "TForm12"). Objects made
    // by ClassRegistry::Create get the registered name; forms pass theirs to their base.
    const std::string& ClassName() const { return className_; }
    void SetClassName(const std::string& name) { className_ = name; }

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Component(int index) const { return components_.at(index); }
    TComponent* FindComponent(const std::string& name) const;  // case-insensitive, owned only

    // The outermost owner (the form, for everything a form description creates).
    TComponent* Root();

    bool Designing() const { return designing_; }
    void SetDesigning(bool on) { designing_ = on; }
    bool Loading() const { return loading_; }
    void SetLoading(bool on) { loading_ = on; }
    // True once the component is being freed (its owner marks it before freeing it): no events
    // fire and no windows are made then.
    bool Destroying() const { return destroying_; }
    void SetDestroying() { destroying_ = true; }

    // Called once all properties and child objects of the description have been read.
    virtual void Loaded() {}

    // Called by the form-description loader for each object described inside this one, after
    // this object's own properties: a control takes it as a child control, a menu item as a
    // sub-item. Every described object is owned by the root, whatever it is nested in.
    virtual void AddDescribedChild(TComponent* child);

    bool SetProperty(const std::string& name, const PropertyValue& value) override;

    // Handler methods that event bindings of form descriptions name. A window class binds its
    // handlers on itself (GUI_HANDLERS); components find them through their root.
    template <class Sig>
    void RegisterHandler(const std::string& name, std::function<Sig> handler) {
        handlers_[name] = std::move(handler);
    }
    template <class Sig>
    std::function<Sig> FindHandler(const std::string& name) {
        TComponent* root = Root();
        auto it = root->handlers_.find(name);
        if (it == root->handlers_.end()) throw Exception("Method '" + name + "' not found");
        auto* handler = std::any_cast<std::function<Sig>>(&it->second);
        if (!handler) throw Exception("Method '" + name + "' has the wrong signature");
        return *handler;
    }
    // Binds an event property of a description to the handler it names; the handler must have
    // the event's own signature.
    template <class Sig>
    void BindEvent(std::function<Sig>& event, const PropertyValue& value) {
        event = FindHandler<Sig>(value.AsIdent());
    }

    // A handler method of this object under its name; the signature is the method's own.
    template <class Owner, class... Args>
    void BindHandler(const std::string& name, void (Owner::*method)(Args...)) {
        Owner* self = static_cast<Owner*>(this);
        RegisterHandler<void(Args...)>(name,
                                       std::function<void(Args...)>([self, method](Args... args) {
                                           (self->*method)(std::forward<Args>(args)...);
                                       }));
    }

    // A field of this object that points at the component of that name once a description has
    // been read into it. The loader sets every bound field, and a component the description does
    // not hold, or holds as another class, is a description error naming both.
    struct ControlField {
        std::string name;
        const std::type_info* type;
        std::function<bool(TComponent*)> assign;  // false when the component is not a T
    };
    template <class T>
    void BindControl(T*& field, const std::string& name) {
        T** target = &field;
        fields_.push_back({name, &typeid(T), [target](TComponent* component) {
                               *target = dynamic_cast<T*>(component);
                               return *target != nullptr;
                           }});
    }
    const std::vector<ControlField>& ControlFields() const { return fields_; }

private:
    void RemoveComponent(TComponent* child);

    TComponent* owner_;
    std::string name_;
    std::string className_ = "TComponent";
    std::vector<TComponent*> components_;
    bool designing_ = false;
    bool loading_ = false;
    bool destroying_ = false;
    std::map<std::string, std::any, NameLess> handlers_;
    std::vector<ControlField> fields_;
};

// Class names of form descriptions mapped to factories. Programs register the classes they use
// explicitly at start-up (static registrars would be dropped from static libraries).
class ClassRegistry {
public:
    using Factory = std::function<TComponent*(TComponent* owner)>;
    static void Register(const std::string& className, Factory factory);
    // Registers class T under its description name; registering a name again replaces it.
    template <class T>
    static void Register(const std::string& className) {
        Register(className, [](TComponent* owner) -> TComponent* { return new T(owner); });
        RegisterType(typeid(T), className);
    }
    // The description name registered for a C++ class, or its compiler name when none is.
    static std::string NameOf(const std::type_info& type);
    static TComponent* Create(const std::string& className,
                              TComponent* owner);  // nullptr if unknown
    static bool Known(const std::string& className);

private:
    static void RegisterType(const std::type_info& type, const std::string& className);
};

}  // namespace gui

// Binding lists of a form unit's constructor, run before its description is read:
//   GUI_CONTROLS(Edit1, Label4);           // fields Edit1, Label4 of this class
//   GUI_HANDLERS(Button1Click, FormShow);  // methods of this class, bound by their own names
#define GUI_CONTROLS(...) GUI_FOR_EACH(GUI_BIND_CONTROL_, __VA_ARGS__)
#define GUI_HANDLERS(...) GUI_FOR_EACH(GUI_BIND_HANDLER_, __VA_ARGS__)
#define GUI_BIND_CONTROL_(name) BindControl(name, #name);
#define GUI_BIND_HANDLER_(name) BindHandler(#name, &std::remove_pointer_t<decltype(this)>::name);

// Applies a macro to each of up to 256 arguments.
#define GUI_FOR_EACH(macro, ...) __VA_OPT__(GUI_EXPAND_(GUI_FOR_EACH_STEP_(macro, __VA_ARGS__)))
#define GUI_FOR_EACH_STEP_(macro, first, ...) \
    macro(first) __VA_OPT__(GUI_FOR_EACH_AGAIN_ GUI_PARENS_(macro, __VA_ARGS__))
#define GUI_FOR_EACH_AGAIN_() GUI_FOR_EACH_STEP_
#define GUI_PARENS_ ()
#define GUI_EXPAND_(...) GUI_EXPAND4_(GUI_EXPAND4_(GUI_EXPAND4_(GUI_EXPAND4_(__VA_ARGS__))))
#define GUI_EXPAND4_(...) GUI_EXPAND3_(GUI_EXPAND3_(GUI_EXPAND3_(GUI_EXPAND3_(__VA_ARGS__))))
#define GUI_EXPAND3_(...) GUI_EXPAND2_(GUI_EXPAND2_(GUI_EXPAND2_(GUI_EXPAND2_(__VA_ARGS__))))
#define GUI_EXPAND2_(...) GUI_EXPAND1_(GUI_EXPAND1_(GUI_EXPAND1_(GUI_EXPAND1_(__VA_ARGS__))))
#define GUI_EXPAND1_(...) __VA_ARGS__

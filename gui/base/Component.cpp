#include "Component.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace gui {

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

bool NameLess::operator()(const std::string& a, const std::string& b) const {
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [](unsigned char x, unsigned char y) { return std::tolower(x) < std::tolower(y); });
}

namespace {
ExceptionReport& Report() {
    static ExceptionReport report;
    return report;
}

std::map<std::string, ClassRegistry::Factory, NameLess>& Classes() {
    static std::map<std::string, ClassRegistry::Factory, NameLess> classes;
    return classes;
}

std::map<std::type_index, std::string>& TypeNames() {
    static std::map<std::type_index, std::string> names;
    return names;
}
}  // namespace

PropertyValue PropertyValue::Int(int64_t v) {
    PropertyValue p;
    p.kind = Kind::Integer;
    p.integer = v;
    return p;
}

PropertyValue PropertyValue::Str(std::string v) {
    PropertyValue p;
    p.kind = Kind::String;
    p.text = std::move(v);
    return p;
}

PropertyValue PropertyValue::Ident(std::string v) {
    PropertyValue p;
    p.kind = Kind::Identifier;
    p.text = std::move(v);
    return p;
}

int32_t PropertyValue::AsInt() const {
    if (kind != Kind::Integer) throw Exception("Invalid property value");
    return static_cast<int32_t>(integer);
}

bool PropertyValue::AsBool() const {
    if (kind == Kind::Identifier && SameText(text, "True")) return true;
    if (kind == Kind::Identifier && SameText(text, "False")) return false;
    throw Exception("Invalid property value");
}

const std::string& PropertyValue::AsString() const {
    if (kind != Kind::String) throw Exception("Invalid property value");
    return text;
}

const std::string& PropertyValue::AsIdent() const {
    if (kind != Kind::Identifier) throw Exception("Invalid property value");
    return text;
}

int PropertyValue::AsEnum(std::initializer_list<const char*> names) const {
    const std::string& ident = AsIdent();
    int index = 0;
    for (const char* name : names) {
        if (SameText(ident, name)) return index;
        ++index;
    }
    throw Exception("Invalid property value '" + ident + "'");
}

uint32_t PropertyValue::AsSet(std::initializer_list<const char*> names) const {
    if (kind != Kind::Set) throw Exception("Invalid property value");
    uint32_t bits = 0;
    for (const std::string& item : items) {
        int index = 0;
        bool found = false;
        for (const char* name : names) {
            if (SameText(item, name)) {
                bits |= 1u << index;
                found = true;
                break;
            }
            ++index;
        }
        if (!found) throw Exception("Invalid set member '" + item + "'");
    }
    return bits;
}

void SetExceptionReport(ExceptionReport report) {
    Report() = std::move(report);
}

void ReportException(const std::exception& error) {
    if (Report()) {
        // A report that fails itself must not take the handler's caller down with it.
        try {
            Report()(error);
        } catch (...) {
        }
        return;
    }
    std::fprintf(stderr, "%s\n", error.what());
}

bool TPersistent::SetProperty(const std::string&, const PropertyValue&) {
    return false;
}

TComponent::TComponent(TComponent* owner) : owner_(owner) {
    if (owner_) owner_->components_.push_back(this);
}

TComponent::~TComponent() {
    destroying_ = true;
    while (!components_.empty()) {
        TComponent* child = components_.back();
        components_.pop_back();
        child->owner_ = nullptr;
        child->destroying_ = true;
        delete child;
    }
    if (owner_) owner_->RemoveComponent(this);
}

void TComponent::RemoveComponent(TComponent* child) {
    components_.erase(std::remove(components_.begin(), components_.end(), child),
                      components_.end());
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    for (TComponent* c : components_)
        if (SameText(c->name_, name)) return c;
    return nullptr;
}

TComponent* TComponent::Root() {
    TComponent* c = this;
    while (c->owner_) c = c->owner_;
    return c;
}

void TComponent::AddDescribedChild(TComponent*) {}

bool TComponent::SetProperty(const std::string& name, const PropertyValue& value) {
    if (SameText(name, "Name")) {
        name_ = value.AsString();
        return true;
    }
    return TPersistent::SetProperty(name, value);
}

void ClassRegistry::Register(const std::string& className, Factory factory) {
    Classes()[className] = std::move(factory);
}

TComponent* ClassRegistry::Create(const std::string& className, TComponent* owner) {
    auto it = Classes().find(className);
    if (it == Classes().end()) return nullptr;
    TComponent* object = it->second(owner);
    if (object) object->SetClassName(className);
    return object;
}

void ClassRegistry::RegisterType(const std::type_info& type, const std::string& className) {
    TypeNames()[std::type_index(type)] = className;
}

std::string ClassRegistry::NameOf(const std::type_info& type) {
    auto it = TypeNames().find(std::type_index(type));
    return it == TypeNames().end() ? type.name() : it->second;
}

bool ClassRegistry::Known(const std::string& className) {
    return Classes().count(className) != 0;
}

}  // namespace gui

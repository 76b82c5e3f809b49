#include "FormLoader.h"

#include <map>
#include <vector>

namespace gui {

namespace {

std::string Label(const TComponent& object, const DescribedObject& description) {
    std::string name = object.Name().empty() ? description.className : object.Name();
    return name + " (" + description.className + ")";
}

void ApplyProperties(TComponent& object, const DescribedObject& description) {
    for (const DescribedProperty& property : description.properties) {
        bool known;
        try {
            known = object.SetProperty(property.name, property.value);
        } catch (const DescriptionError&) {
            throw;
        } catch (const std::exception& error) {
            throw DescriptionError(property.line, "error reading " + Label(object, description) +
                                                      "." + property.name + ": " + error.what());
        }
        if (!known)
            throw DescriptionError(
                property.line,
                "property '" + property.name + "' does not exist in " + Label(object, description));
    }
}

class Loader {
public:
    explicit Loader(TComponent& root) : root_(root) {}

    void Load(const DescribedObject& description) {
        if (!SameText(root_.ClassName(), description.className))
            throw DescriptionError(description.line, "the description is of class " +
                                                         description.className + ", not " +
                                                         root_.ClassName());
        Begin(root_);
        try {
            if (!description.name.empty()) root_.SetName(description.name);
            ApplyProperties(root_, description);
            for (const DescribedObject& child : description.children) Read(root_, child);
            ResolveFields(description);
        } catch (...) {
            for (TComponent* object : loaded_) object->SetLoading(false);
            throw;
        }
        for (TComponent* object : loaded_) {
            object->SetLoading(false);
            object->Loaded();
        }
    }

private:
    // Points every control field the root declares at its component, before anything has seen
    // Loaded, so that handlers running from then on find their controls.
    void ResolveFields(const DescribedObject& description) {
        for (const TComponent::ControlField& field : root_.ControlFields()) {
            std::string expected = ClassRegistry::NameOf(*field.type);
            TComponent* component = root_.FindComponent(field.name);
            if (!component)
                throw DescriptionError(description.line,
                                       root_.ClassName() + " declares " + field.name + " (" +
                                           expected + "), which the description does not hold");
            if (!field.assign(component))
                throw DescriptionError(lines_[component],
                                       field.name + " is a " + component->ClassName() +
                                           " in the description, but " + root_.ClassName() +
                                           " declares it a " + expected);
        }
    }

    void Begin(TComponent& object) {
        object.SetLoading(true);
        loaded_.push_back(&object);
    }

    void Read(TComponent& container, const DescribedObject& description) {
        if (!description.name.empty() && root_.FindComponent(description.name))
            throw DescriptionError(description.line,
                                   "a component named " + description.name + " already exists");
        if (!ClassRegistry::Known(description.className))
            throw DescriptionError(description.line,
                                   "class " + description.className + " not found");
        TComponent* object = ClassRegistry::Create(description.className, &root_);
        if (!object)
            throw DescriptionError(description.line,
                                   "class " + description.className + " could not be made");
        object->SetName(description.name);
        lines_[object] = description.line;
        Begin(*object);
        try {
            container.AddDescribedChild(object);
        } catch (const std::exception& error) {
            throw DescriptionError(description.line, "cannot place " + Label(*object, description) +
                                                         " in " + container.Name() + ": " +
                                                         error.what());
        }
        ApplyProperties(*object, description);
        for (const DescribedObject& child : description.children) Read(*object, child);
    }

    TComponent& root_;
    std::vector<TComponent*> loaded_;
    std::map<const TComponent*, int> lines_;
};

}  // namespace

void ApplyDescription(TComponent& root, const DescribedObject& description) {
    Loader(root).Load(description);
}

void LoadDescription(TComponent& root, const std::string& text) {
    ApplyDescription(root, ParseDescription(text));
}

}  // namespace gui

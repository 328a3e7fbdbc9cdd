#pragma once

#include "platform/forms/form.h"

#include <functional>
#include <memory>

// The one default instance of a window: created and loaded on first use, gone when unloaded (the next use
// creates and loads a fresh one). The unloaded object is retired and destroyed by formruntime::collect(), so that
// a handler that unloads its own form can still run to its end.
template <class T>
class DefaultInstance : private FormObserver {
public:
    using Factory = std::function<std::unique_ptr<T>()>;

    DefaultInstance() : factory_([] { return std::make_unique<T>(); }) {}
    explicit DefaultInstance(Factory factory) : factory_(std::move(factory)) {}
    ~DefaultInstance() override
    {
        if (form_) {
            form_->removeObserver(this);
            if (formruntime::eventDepth() > 0)
                formruntime::retire(std::move(form_));
        }
    }
    DefaultInstance(const DefaultInstance &) = delete;
    DefaultInstance &operator=(const DefaultInstance &) = delete;

    // The loaded instance; the first use (and any use after an unload) creates it and runs its Form_Load.
    T &get()
    {
        if (form_ && form_->state() == Form::State::Unloaded)
            formruntime::retire(std::move(form_));
        if (!form_) {
            form_ = factory_();
            form_->addObserver(this);
            form_->load();
        }
        return *form_;
    }
    T &operator()() { return get(); }
    T *operator->() { return &get(); }

    // The instance only while it is loaded; never creates one.
    T *ifLoaded() const { return form_ && form_->isLoaded() ? form_.get() : nullptr; }
    bool isLoaded() const { return ifLoaded() != nullptr; }
    // Unloading a window that is not loaded does nothing. False when its Form_Unload refused.
    bool unload() { return form_ && form_->isLoaded() ? form_->unload() : true; }

private:
    // The unloaded form leaves the instance at once; its object goes when no handler runs any more.
    void formChanged(Form &form, Prop what) override
    {
        if (what == Prop::Loaded && form.state() == Form::State::Unloaded && form_.get() == &form) {
            form.removeObserver(this);
            formruntime::retire(std::move(form_));
        }
    }
    void controlChanged(Control &, Prop) override {}

    Factory factory_;
    std::unique_ptr<T> form_;
};

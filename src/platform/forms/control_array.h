#pragma once

#include "platform/forms/control.h"

#include <memory>
#include <vector>

// A control array: several controls of one kind under one name, told apart by their index
// (`ImgSprache(3)`). The form sets each element's events to its handler with the index:
//   for (int i = 0; i < ImgSprache.count(); ++i) ImgSprache[i].Click = [this, i] { ImgSprache_Click(i); };
template <class T>
class ControlArray {
public:
    ControlArray(Container *parent, const QString &name, int count)
    {
        for (int i = 0; i < count; ++i) {
            items_.push_back(std::make_unique<T>(parent, name));
            items_.back()->setIndex(i);
        }
    }
    int count() const { return static_cast<int>(items_.size()); }
    T &operator[](int i) { return *items_.at(static_cast<size_t>(i)); }
    const T &operator[](int i) const { return *items_.at(static_cast<size_t>(i)); }
    T &operator()(int i) { return (*this)[i]; }

private:
    std::vector<std::unique_ptr<T>> items_;
};

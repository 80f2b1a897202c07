#pragma once

#include <functional>

// Whatever reports a change of the specification list: a node, a variant or a unit of measure.
// One handler serves them all and tells them apart with dynamic_cast, so the base is polymorphic.
class TNadawcaZmiany
{
public:
    virtual ~TNadawcaZmiany() = default;

protected:
    TNadawcaZmiany() = default;
    TNadawcaZmiany(const TNadawcaZmiany&) = default;
    TNadawcaZmiany& operator=(const TNadawcaZmiany&) = default;
};

// Change event of the list's objects; the sender is the object that changed.
using TZdarzenieZmiany = std::function<void(TNadawcaZmiany* sender)>;

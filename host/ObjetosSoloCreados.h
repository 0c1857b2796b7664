#pragma once

#include "HostObject.h"

// Host classes that the program only creates and releases.
class DeEquipo : public HostObject
{
public:
    using HostObject::HostObject;
};

class DeAcceso : public HostObject
{
public:
    using HostObject::HostObject;
};

class DeControles : public HostObject
{
public:
    using HostObject::HostObject;
};

#pragma once

// Declares a model data member together with its accessor triple:
//   getX()  modifiable reference
//   GetX()  read-only reference
//   setX()  assignment from a const reference
// The macro leaves the class in private access, so it is followed directly by
// the member's initializer:   H_MEMBER(double, build_area) = 1600.0;
// clang-format off
#define H_MEMBER(Type, name)                                \
public:                                                     \
    Type& get##name() { return name; }                      \
    const Type& Get##name() const { return name; }          \
    void set##name(const Type& value) { name = value; }     \
                                                            \
private:                                                    \
    Type name
// clang-format on

// The framework's exceptions: thrown where a constructor or a data exchange cannot go on.
#pragma once

class CException {
public:
    virtual ~CException() = default;
};

// A Windows resource (a device context, a GDI object) could not be had.
class CResourceException : public CException {};

// The user's input failed validation; the user has already been told why.
class CUserException : public CException {};

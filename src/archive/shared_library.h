#pragma once

#include <QLibrary>

// A shared library opened by name at run time, whose functions are looked up
// one by one. It stays loaded until the program ends.
class SharedLibrary {
public:
    bool load(const QString& fileName)
    {
        library_.setFileName(fileName);
        return library_.load();
    }

    // False when the library lacks the function.
    template <class Function>
    bool resolve(const char* symbol, Function& function)
    {
        function = reinterpret_cast<Function>(library_.resolve(symbol));
        return function != nullptr;
    }

private:
    QLibrary library_;
};

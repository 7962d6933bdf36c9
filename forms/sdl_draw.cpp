#include "forms/picture.hpp"

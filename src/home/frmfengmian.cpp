#include "home/frmfengmian.h"

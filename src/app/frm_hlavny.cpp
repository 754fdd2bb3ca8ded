#include "app/frm_hlavny.h"

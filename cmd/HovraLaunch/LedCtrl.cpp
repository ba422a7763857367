#include "hovra_stdafx.h"

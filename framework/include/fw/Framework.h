#pragma once

// Everything program code uses of the framework.
#include "fw/Application.h"
#include "fw/Controls.h"
#include "fw/Delegate.h"
#include "fw/Exceptions.h"
#include "fw/Menu.h"
#include "fw/Object.h"
#include "fw/PropertyRecord.h"
#include "fw/Runtime.h"
#include "fw/Values.h"
#include "fw/Window.h"

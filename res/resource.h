#pragma once

#define IDI_GLIMMORA 101

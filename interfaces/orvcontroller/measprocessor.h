// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

/*!
 * A processing stage that a measurement feed can run its data through before handing it out.
 * Plug-ins that only read a feed pass none.
 */
class MeasProcessor
{
public:
    virtual ~MeasProcessor();
};

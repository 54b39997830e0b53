// The property templates over the domain's types, instantiated here so that the library
// exports them whether or not one of its types holds such a member: references and
// type-replaceable properties of the parameter types, the section record and the three
// domains, and the two arrays that a domain holds.
#include "types/domain/coordinate_domains.h"

template class QV_External<QV_DISCRETIZATIONMETHODPARAM_DOMAIN>;
template class QV_Virtual<QV_DISCRETIZATIONMETHODPARAM_DOMAIN>;
template class QV_External<QV_NUMSECTIONSPARAM_DOMAIN>;
template class QV_Virtual<QV_NUMSECTIONSPARAM_DOMAIN>;
template class QV_External<QV_POLYPOINTSPARAM_DOMAIN>;
template class QV_Virtual<QV_POLYPOINTSPARAM_DOMAIN>;
template class QV_External<QV_ANGLEPARAMETER>;
template class QV_Virtual<QV_ANGLEPARAMETER>;
template class QV_External<QV_LENGTHPARAMETER>;
template class QV_Virtual<QV_LENGTHPARAMETER>;

template class QV_External<QV_SECTIONDATAMODEL>;
template class QV_Virtual<QV_SECTIONDATAMODEL>;
template class QV_External<QV_DOMAIN>;
template class QV_Virtual<QV_DOMAIN>;
template class QV_External<QV_LENGTHDOMAIN>;
template class QV_Virtual<QV_LENGTHDOMAIN>;
template class QV_External<QV_ANGLEDOMAIN>;
template class QV_Virtual<QV_ANGLEDOMAIN>;

template class QV_ARRAY_I<QV_REALPARAMETER, QV_REALPARAMETER>;
template class QV_External<QV_ARRAY_I<QV_REALPARAMETER, QV_REALPARAMETER>>;
template class QV_Virtual<QV_ARRAY_I<QV_REALPARAMETER, QV_REALPARAMETER>>;
template class QV_ARRAY_I<QV_SECTIONDATAMODEL, QV_SECTIONDATAMODEL>;
template class QV_External<QV_ARRAY_I<QV_SECTIONDATAMODEL, QV_SECTIONDATAMODEL>>;
template class QV_Virtual<QV_ARRAY_I<QV_SECTIONDATAMODEL, QV_SECTIONDATAMODEL>>;

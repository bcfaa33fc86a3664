#!/usr/bin/env python3
"""Writes the seed corpus of every module fuzzer into fuzz/corpus/<module>/.

Each seed is the script of one call in the byte format that module_fuzzer.cpp reads: the
worked examples of each module, its edge shapes and a few refused calls. The fuzzers grow
their own corpora from these; only the seeds are kept in the repository.
Usage: python3 fuzz/seeds.py
"""
import math
import pathlib
import struct

SPECIALS = {"nan": 0xC0, "inf": 0xC1, "-inf": 0xC2, "-0": 0xC3}
FORMS = {"column": 0, "row": 1, "two_columns": 2, "square": 3, "no_rows": 4, "no_columns": 5,
         "complex": 7, "sparse": 8, "int32": 9, "single": 10, "logical": 11, "char": 12,
         "cell": 13, "struct": 14, "function_handle": 15}


def value(x):
    """One value: a byte for multiples of 1/8 from -8 to 15.875, else the raw double."""
    if isinstance(x, str):
        return [SPECIALS[x]]
    scaled = x * 8
    if scaled == math.floor(scaled) and -64 <= scaled < 128 and not (x == 0 and math.copysign(1, x) < 0):
        return [int(scaled) + 64]
    return [0xE0] + list(struct.pack("<d", x))


def array(values, form="column", n=None):
    n = len(values) if n is None else n
    assert 0 <= n < 16
    out = [FORMS[form] << 4 | n]
    for x in values:
        out += value(x)
    return out


def scalar(x):
    return array([x])


def columns(values, rows, count):
    """A rows-by-count matrix (the fuzzer's any_columns form), column-major."""
    assert 0 <= rows < 16 and 0 <= count < 8 and len(values) == rows * count
    out = [6 << 4 | rows, count]
    for x in values:
        out += value(x)
    return out


def call(inputs, input_count=None, nlhs=1):
    """input_count None keeps the module's own count; nlhs is one of -1 and 0 to 11."""
    count_code = 0x00 if input_count is None else 0xE0 + input_count
    nlhs_code = {1: 0, 0: 4, 2: 5, 3: 6, -1: 7, 4: 8, 5: 10, 6: 15, 7: 16, 8: 17, 9: 18, 10: 19,
                 11: 20, 12: 31}[nlhs]
    out = [count_code, nlhs_code]
    for item in inputs:
        out += item
    return bytes(out)


def scalars(*xs):
    return [scalar(x) for x in xs]


def threshvol():
    d, a = array([1, 2, 7]), array([2, 4, 9])
    par, b = array([0.5, 0.25, 0.125, 0.5]), scalar(2)
    ex = [d, a, par, b] + scalars(1, 1, 1, 1, 3, 2)
    return {
        "worked_power2": call(ex),
        "worked_power1": call([d, a, par, b] + scalars(1, 1, 1, 1, 3, 1)),
        "no_output_requested": call(ex, nlhs=0),
        "all_presample": call([array([]), array([]), array([]), scalar(4)] + scalars(5, 0, 0, 3, 3, 2)),
        "empty": call([array([])] * 4 + scalars(0, 0, 0, 0, 0, 2)),
        "negative_m": call([array([])] * 4 + scalars(1, 1, 1, -2, 3, 2)),
        "fractional_scalars": call([d, a, par, b] + scalars(1.75, 1, 1, 1, 3.875, 1.875)),
        "nan_m": call([d, a, par, b] + scalars(1, 1, 1, "nan", 3, 2)),
        "nine_inputs": call(ex[:9], input_count=9),
        # Scalars of other classes: text, a cell and a sparse pair refused, the rest read by value.
        "char_type": call(ex[:9] + [array([1], "char")]),
        "cell_T": call(ex[:8] + [array([3], "cell"), scalar(2)]),
        "sparse_T": call(ex[:8] + [array([0, 3], "sparse"), scalar(2)]),
        "other_numeric_scalars": call([d, a, par, b, array([1], "int32"), array([1], "logical"),
                                       array([1], "single"), scalar(1), array([3], "sparse"),
                                       scalar(2)]),
        "two_outputs": call(ex, nlhs=2),
    }


def logvol():
    d = array([1, 2])
    ceiling = [d, array([5]), scalar(0), scalar(100)] + scalars(0, 0, 0, 1, 2)
    overflow = [d, array([800]), scalar(0), scalar(100)] + scalars(0, 0, 0, 1, 2)
    no_ceiling = [d, array([800]), scalar(0), scalar("inf")] + scalars(0, 0, 0, 1, 2)
    floor = [d, array([-20]), scalar(0), scalar(100)] + scalars(0, 0, 0, 1, 2)
    families = [array([0.5, -1, 2]), array([0.1, 0.2, -0.1, 0.9]), scalar(0), scalar(100)]
    return {
        "ceiling": call(ceiling),
        "ceiling_after_overflow": call(overflow),
        "infinite_ceiling": call(no_ceiling),
        "floor": call(floor),
        "three_families": call(families + scalars(1, 1, 1, 1, 3)),
        "negative_ceiling": call([d, array([-0.625]), scalar(0), scalar(0.5)] + scalars(0, 0, 0, 1, 2)),
        "all_presample": call([array([1, 2]), array([]), scalar(0), scalar(1)] + scalars(2, 2, 2, 2, 2)),
        "empty": call([array([])] * 4 + scalars(0, 0, 0, 0, 0)),
        "negative_m": call([array([])] * 4 + scalars(0, 0, 0, -1, 2)),
        "eight_inputs": call(ceiling[:8], input_count=8),
        "complex_m": call(ceiling[:7] + [array([1], "complex"), scalar(2)]),
        "two_outputs": call(ceiling, nlhs=2),
    }


def shiftvol():
    par, b = array([0.1, 0.1, 0.5, 0.8]), scalar(1)
    d = array([0, 1, -1])
    accumulate = [array([0, 0, 0.5]), array([0.1, 0.2, 0.1, 1.0, 0.6]), b]
    return {
        "constant_shift": call([d, par, b] + scalars(1, 1, 1, 3, 1)),
        "scaled_shift": call([d, par, b] + scalars(1, 1, 1, 3, 0)),
        "order_of_sums": call(accumulate + scalars(2, 1, 2, 3, 1)),
        "order_of_sums_scaled": call(accumulate + scalars(2, 1, 2, 3, 0)),
        "negative_variance": call([d, array([-4, 1, 0.5, 0.8]), b] + scalars(1, 1, 1, 3, 0)),
        "all_presample": call([array([]), array([0, 0, 1]), b] + scalars(0, 0, 2, 2, 0)),
        "empty": call([array([]), array([0, 0]), array([])] + scalars(0, 0, 0, 0, 1)),
        "seven_inputs": call([d, par, b] + scalars(1, 1, 1, 3), input_count=7),
        "struct_type": call([d, par, b] + scalars(1, 1, 1, 3) + [array([1], "struct")]),
        "two_outputs": call([d, par, b] + scalars(1, 1, 1, 3, 1), nlhs=2),
    }


def intvol():
    d, b = array([4, 8, 99]), scalar(2)
    return {
        "constant_power2": call([d, array([0.5, 0.25]), b] + scalars(1, 1, 1, 3, 2, 1)),
        "constant_power1": call([d, array([0.5, 0.25]), b] + scalars(1, 1, 1, 3, 1, 1)),
        "no_constant": call([d, array([0.25]), b] + scalars(1, 1, 1, 3, 2, 0)),
        "two_output_lags": call([d, array([0.5, 0.25, 0.125]), b] + scalars(1, 2, 2, 3, 2, 1)),
        "constant_flag_two": call([d, array([0.5, 9, 0.25]), b] + scalars(1, 1, 1, 3, 2, 2)),
        "rising_by_constant": call([array([]), array([0.5]), b] + scalars(0, 1, 1, 4, 2, 1)),
        "empty": call([array([]), array([]), array([])] + scalars(0, 1, 0, 0, 2, 0)),
        "zero_q": call([d, array([0.5, 0.25]), b] + scalars(1, 0, 1, 3, 2, 1)),
        "function_handle_p": call([d, array([0.5, 0.25]), b, array([1], "function_handle")]
                                  + scalars(1, 1, 3, 2, 1)),
        "eight_inputs": call([d, array([0.5, 0.25]), b] + scalars(1, 1, 1, 3, 2), input_count=8),
        "two_outputs": call([d, array([0.5, 0.25]), b] + scalars(1, 1, 1, 3, 2, 1), nlhs=2),
    }


def lagreg():
    none = array([], "no_rows", 0)
    no_x = lambda rows: array([], "no_columns", rows)
    ma = [array([0.5]), none, array([1]), scalar(0), array([1, 2, 3]), no_x(3), scalar(1),
          array([1, 2, 2])]
    ar = [array([0.5, 0.5]), array([1]), none, scalar(1), array([1, 2, 3, 4]), no_x(4),
          scalar(1), array([1, 1, 1, 1])]
    regressors = [array([0.25, 0.5, -1]), array([2]), none, scalar(1), array([1, 2, 3, 4]),
                  array([1, 0.5, 0, -1], "column"), scalar(2), array([1, 2, 0, -1])]
    return {
        "moving_average": call(ma),
        "constant_and_lag": call(ar),
        "regressor": call(regressors),
        "fractional_lag": call([array([0.5]), array([2.875]), none, scalar(0),
                                array([1, 2, 3, 4]), no_x(4), scalar(3), array([1, 1, 1, 1])]),
        "repeated_lag": call([array([0.5, 0.25]), none, array([1, 1]), scalar(0),
                              array([1, 2, 3]), no_x(3), scalar(1), array([1, 1, 1])]),
        "all_presample": call([array([]), none, none, scalar(0), array([1, 2]), no_x(2),
                               scalar(2), array([])]),
        "empty": call([array([]), none, none, scalar(0), array([]), no_x(0), scalar(0),
                       array([])]),
        "lag_row": call([array([0.5]), array([1, 2, 3], "row"), none, scalar(0),
                         array([1, 2, 3]), no_x(3), scalar(3), array([1, 1, 1])]),
        "no_output_requested": call(ma, nlhs=0),
        "seven_inputs": call(ma[:7], input_count=7),
        "char_constant": call(ma[:3] + [array([0], "char")] + ma[4:]),
    }


def pairwise():
    cov = array([2, 0.5, 0.5, 1], "square", 2)
    pair = array([1, 2], "two_columns", 1)
    return {
        "vector": call([cov, array([1, 2]), pair]),
        "row_vector": call([cov, array([1, 2], "row"), pair]),
        "matrix": call([cov, array([1, 2, 2, 4], "square", 2), pair]),
        "identity_zero_data": call([array([1, 0, 0, 1], "square", 2), array([0, 0]), pair]),
        "no_pairs": call([cov, array([1, 2]), array([], "two_columns", 0)]),
        "equal_indices": call([cov, array([1, 2]), array([1, 1], "two_columns", 1)]),
        "fractional_indices": call([cov, array([1, 2]), array([1.875, 2.875], "two_columns", 1)]),
        "one_by_one_data": call([array([2]), array([3]), array([1, 1], "two_columns", 1)]),
        "no_output_requested": call([cov, array([1, 2]), pair], nlhs=0),
        "two_inputs": call([cov, array([1, 2])], input_count=2),
        "two_outputs": call([cov, array([1, 2]), pair], nlhs=2),
    }


def likelihood(model):
    """Seeds of a likelihood: e, parameters, backcast (and upper_bound), the orders, m, the
    model's own scalars and the distribution, as the module takes them."""
    e = array([0.5, -1, 2, -0.25, 1.5])
    def inputs(parameters, m=1, distribution=0, residuals=e, backcast=1, orders=(1, 1, 1),
               type_=2, extra=()):
        p, o, q = orders
        head = [residuals, array(parameters), scalar(backcast)]
        if model == "threshvol":
            return head + scalars(p, o, q, m, type_, distribution)
        if model == "logvol":
            return head + [scalar(100)] + scalars(p, o, q, m, distribution)
        if model == "shiftvol":
            return head + scalars(p, q, m, type_, distribution)
        return head + scalars(p, q, m, type_, 1, distribution)
    model_parameters = {
        "threshvol": [0.125, 0.125, 0.0625, 0.75],
        "logvol": [0, 0.125, -0.0625, 0.875],
        "shiftvol": [0.125, 0.125, 0.25, 0.75],
        "intvol": [0.125, 0.125],
    }[model]
    student = model_parameters + [6]
    seeds = {
        "value_only": call(inputs(model_parameters)),
        "every_output": call(inputs(model_parameters), nlhs=4),
        "student_every_output": call(inputs(student, distribution=1), nlhs=4),
        "gradient_power1": call(inputs(student, distribution=1, type_=1), nlhs=2),
        "scores_no_output_requested": call(inputs(model_parameters), nlhs=0),
        "nothing_modelled": call(inputs(model_parameters, m=5), nlhs=3),
        "empty_sample": call(inputs(model_parameters, m=0, residuals=array([])), nlhs=4),
        "undefined_nu": call(inputs(model_parameters + [2], distribution=1), nlhs=3),
        "negative_constant": call(inputs([-1] + model_parameters[1:]), nlhs=4),
        "row_residuals": call(inputs(model_parameters, residuals=array([0.5, -1, 2], "row")), nlhs=2),
        "nan_residual": call(inputs(model_parameters, residuals=array([0.5, "nan", 2])), nlhs=2),
        "matrix_residuals": call(inputs(model_parameters, residuals=array([1, 2, 3, 4], "square", 2))),
        "negative_m": call(inputs(model_parameters, m=-1)),
        "distribution_two": call(inputs(student, distribution=2)),
        "five_outputs": call(inputs(model_parameters), nlhs=5),
        "one_input_short": call(inputs(model_parameters)[:-1], input_count=len(inputs(model_parameters)) - 1),
    }
    # More parameters than the lane widths compiled for small models (ten).
    wide_orders, wide_count = {"threshvol": ((3, 3, 3), 10), "logvol": ((3, 3, 3), 10),
                               "shiftvol": ((4, 4, 4), 10), "intvol": ((5, 5, 5), 10)}[model]
    long_e = array([0.5, -1, 2, -0.25, 1.5, -0.75, 1, 0.25])
    seeds["many_lanes"] = call(inputs([0.0625] * wide_count + [6], m=wide_orders[0],
                                      distribution=1, residuals=long_e, orders=wide_orders),
                               nlhs=3)
    return seeds


def simulation(model):
    """Seeds of a simulation: z, the history, the parameters, the backcast (and upper_bound),
    the orders, m and the model's own scalars, as the module takes them."""
    z = array([0.5, -1, 2, -0.25, 1.5, -0.75, 1, 0.25, -2], "square", 3)
    history = array([0.5, -1.5, 1])
    def inputs(parameters, m=1, innovations=z, past=history, backcast=1, orders=(1, 1, 1),
               type_=2):
        p, o, q = orders
        head = [innovations, past, array(parameters), scalar(backcast)]
        if model == "threshvol":
            return head + scalars(p, o, q, m, type_)
        if model == "logvol":
            return head + [scalar(100)] + scalars(p, o, q, m)
        if model == "shiftvol":
            return head + scalars(p, q, m, type_)
        return head + scalars(p, q, m, type_, 1)
    model_parameters = {
        "threshvol": [0.125, 0.125, 0.0625, 0.75],
        "logvol": [0, 0.125, -0.0625, 0.875],
        "shiftvol": [0.125, 0.125, 0.25, 0.75],
        "intvol": [0.125, 0.125],
    }[model]
    wide_orders, wide_count = {"threshvol": ((3, 3, 3), 10), "logvol": ((3, 3, 3), 10),
                               "shiftvol": ((3, 3, 3), 8), "intvol": ((3, 3, 3), 6)}[model]
    many = array([0.125 * (i % 17) - 1 for i in range(225)], "square", 15)
    own = array([1, -1, 0.5, 2, -2, 0.25, 1, 1, -1], "square", 3)
    wide_history = array([1, 2, 3, 4, 5, 6, 7, 8], "two_columns", 4)
    short = inputs(model_parameters)[:-1]
    return {
        "both_outputs": call(inputs(model_parameters), nlhs=2),
        "residuals_only": call(inputs(model_parameters)),
        "no_output_requested": call(inputs(model_parameters), nlhs=0),
        "power_1": call(inputs(model_parameters, type_=1), nlhs=2),
        "fifteen_paths": call(inputs(model_parameters, innovations=many), nlhs=2),
        "history_a_path": call(inputs(model_parameters, past=own), nlhs=2),
        "presample_history_only": call(inputs(model_parameters, past=array([0.5])), nlhs=2),
        "wide_orders": call(inputs([0.0625] * wide_count, m=3, orders=wide_orders), nlhs=2),
        "no_steps": call(inputs([], innovations=array([], "no_rows", 3)), nlhs=2),
        "history_too_wide": call(inputs(model_parameters, past=wide_history)),
        "m_past_history": call(inputs(model_parameters, m=4)),
        "m_below_orders": call(inputs(model_parameters, m=0)),
        "negative_m": call(inputs(model_parameters, m=-1)),
        "three_outputs": call(inputs(model_parameters), nlhs=3),
        "one_input_short": call(short, input_count=len(short)),
    }


def estimation(module):
    """Seeds of the plan and of the compiled fit: the model's scalars, the series (a panel for
    the fit), the pre-sample rule, then the parameters (the plan) or the start, the most
    evaluations and the threads (the fit). Series short enough for the fuzzer's sizes: a
    constant variance (no lags, one parameter) fits on 11 observations."""
    e = [0.5, -1, 2, -0.25, 1.5, -0.75, 1, 0.25, -2, 0.125, 1.25, -0.5]
    def inputs(model=0, series=None, orders=(1, 1, 1), type_=2, constant=1, distribution=0, m=1,
               rule=0, backcast=array([]), upper_bound=array([]), last=array([]), evaluations=100,
               threads=2):
        if series is None:
            series = array(e) if module == "volfilter_plan" else array(e + e, "two_columns", 12)
        head = [scalar(model), series] + scalars(*orders, type_, constant, distribution, m, rule)
        head += [backcast, upper_bound, last]
        if module == "volfilter_estimate":
            head += scalars(evaluations, threads)
        return head
    constant_variance = dict(orders=(0, 0, 0), m=0)
    seeds = {
        "garch": call(inputs(orders=(1, 0, 1)), nlhs=8),
        "constant_variance": call(inputs(**constant_variance), nlhs=8),
        "logvol_given": call(inputs(model=1, rule=2, backcast=scalar(-0.5), upper_bound=scalar(50)),
                             nlhs=6),
        "shiftvol_scaled": call(inputs(model=2, orders=(1, 0, 1), type_=0), nlhs=7),
        "intvol_student": call(inputs(model=3, orders=(1, 0, 2), m=2, distribution=1), nlhs=5),
        "no_output_requested": call(inputs(**constant_variance), nlhs=0),
        "model_four": call(inputs(model=4)),
        "m_past_t": call(inputs(m=13)),
        "nan_series": call(inputs(series=array([1, "nan", 2]))),
        "empty_series": call(inputs(series=array([]))),
        "too_many_outputs": call(inputs(), nlhs=9 if module == "volfilter_plan" else 12),
        "every_output": call(inputs(orders=(1, 0, 1)),
                             nlhs=8 if module == "volfilter_plan" else 10),
    }
    # With the mean's inputs after the others: its constant, the lag lists and the regressors.
    none = array([], "no_rows", 0)
    def with_mean(head, constant=1, ar=array([1]), ma=none, x=none, **kwargs):
        return call(head + [scalar(constant), ar, ma, x], input_count=len(head) + 4, **kwargs)
    seeds["mean_ar"] = with_mean(inputs(orders=(0, 0, 0)), nlhs=8)
    seeds["mean_arma_garch"] = with_mean(inputs(orders=(1, 0, 1), m=2), ar=array([2]),
                                         ma=array([1]), nlhs=8)
    seeds["mean_regressor"] = with_mean(inputs(orders=(0, 0, 0), m=0), ar=none,
                                        x=array(e[::-1]))
    seeds["mean_lag_twice"] = with_mean(inputs(m=2), ar=array([1, 1]))
    seeds["mean_lag_past_m"] = with_mean(inputs(), ma=array([3]))
    seeds["mean_x_rows"] = with_mean(inputs(), x=array([1, 2, 3]))
    seeds["mean_constant_two"] = with_mean(inputs(), constant=2)
    if module == "volfilter_plan":
        seeds["sizes_with_mean"] = call(scalars(0, 1, 1, 1, 2, 1, 0, 1, 2, 1, 3), input_count=11)
    if module == "volfilter_plan":
        seeds["at_parameters"] = call(inputs(model=2, orders=(1, 0, 1), type_=0,
                                             last=array([0.1, 0.2, 0.5, 0.7])), nlhs=8)
        seeds["too_few_parameters"] = call(inputs(last=array([0.1])))
        # The short call: the sizes of a plan from the model's scalars alone.
        seeds["sizes_alone"] = call(scalars(1, 2, 1, 3, 2, 1, 1), input_count=7)
        seeds["sizes_two_outputs"] = call(scalars(0, 1, 1, 1, 2, 1, 0), input_count=7, nlhs=2)
    else:
        seeds["constant_variance_start"] = call(inputs(**constant_variance, last=array([1.5])),
                                                nlhs=7)
        seeds["constant_column"] = call(inputs(series=array([1.5] * 11 + [1.5] * 11, "two_columns",
                                                            11), **constant_variance), nlhs=6)
        seeds["one_thread"] = call(inputs(**constant_variance, threads=1), nlhs=6)
        seeds["no_evaluations"] = call(inputs(evaluations=0))
    return seeds


def mean_likelihood(model):
    """Seeds of a likelihood with a mean: y, x, the lag lists, the constant, the parameters (the
    mean's, then the model's), then the model's own inputs as its likelihood takes them."""
    y = [0.5, -1, 2, -0.25, 1.5, -0.75, 1, 0.25]
    def inputs(mean, own, m=2, distribution=0, returns=None, x=None, ar=(1,), ma=(2,),
               constant=1, type_=2, orders=(1, 1, 1)):
        p, o, q = orders
        returns = array(y) if returns is None else returns
        x = array([], "no_columns", 0) if x is None else x
        head = [returns, x, array(list(ar)), array(list(ma)), scalar(constant),
                array(mean + own)]
        if model == "threshvol":
            return head + scalars(1, p, o, q, m, type_, distribution)
        if model == "logvol":
            return head + [scalar(0), scalar(100)] + scalars(p, o, q, m, distribution)
        if model == "shiftvol":
            return head + scalars(1, p, q, m, type_, distribution)
        return head + scalars(1, p, q, m, type_, 1, distribution)
    own = {
        "threshvol": [0.125, 0.125, 0.0625, 0.75],
        "logvol": [0, 0.125, -0.0625, 0.875],
        "shiftvol": [0.125, 0.125, 0.25, 0.75],
        "intvol": [0.125, 0.125],
    }[model]
    mean = [0.125, 0.25, -0.125]
    student = own + [6]
    regressors = columns([0.5, -1, 0.25, 1, -0.5, 2, 0, 1.5], 8, 1)
    return {
        "value_only": call(inputs(mean, own)),
        "every_output": call(inputs(mean, own), nlhs=5),
        "student_every_output": call(inputs(mean, student, distribution=1), nlhs=5),
        "gradient_power1": call(inputs(mean, student, distribution=1, type_=1), nlhs=2),
        "regressor_scores": call(inputs(mean + [0.5], own, x=regressors), nlhs=3),
        "no_mean_terms": call(inputs([], own, ar=(), ma=(), constant=0), nlhs=5),
        "explosive_mean": call(inputs([0.125, 0.25, -1e100], own), nlhs=5),
        "nothing_modelled": call(inputs(mean, own, m=8), nlhs=5),
        "lag_past_m": call(inputs(mean, own, ar=(3,))),
        "fractional_lag": call(inputs(mean, own, ma=(1.5,))),
        "short_regressors": call(inputs(mean + [0.5], own, x=columns([1, 2], 2, 1))),
        "constant_two": call(inputs(mean, own, constant=2)),
        "nan_return": call(inputs(mean, own, returns=array([0.5, "nan", 2, 1])), nlhs=2),
        "six_outputs": call(inputs(mean, own), nlhs=6),
        "one_input_short": call(inputs(mean, own)[:-1], input_count=len(inputs(mean, own)) - 1),
    }


MODULES = {
    "threshvol_filter": threshvol,
    "logvol_filter": logvol,
    "shiftvol_filter": shiftvol,
    "intvol_filter": intvol,
    "lagreg_residuals": lagreg,
    "pairwise_nll": pairwise,
    "threshvol_nll": lambda: likelihood("threshvol"),
    "logvol_nll": lambda: likelihood("logvol"),
    "shiftvol_nll": lambda: likelihood("shiftvol"),
    "intvol_nll": lambda: likelihood("intvol"),
    "threshvol_simulate": lambda: simulation("threshvol"),
    "logvol_simulate": lambda: simulation("logvol"),
    "shiftvol_simulate": lambda: simulation("shiftvol"),
    "intvol_simulate": lambda: simulation("intvol"),
    "volfilter_plan": lambda: estimation("volfilter_plan"),
    "volfilter_estimate": lambda: estimation("volfilter_estimate"),
    "threshvol_mean_nll": lambda: mean_likelihood("threshvol"),
    "logvol_mean_nll": lambda: mean_likelihood("logvol"),
    "shiftvol_mean_nll": lambda: mean_likelihood("shiftvol"),
    "intvol_mean_nll": lambda: mean_likelihood("intvol"),
}

if __name__ == "__main__":
    root = pathlib.Path(__file__).resolve().parent / "corpus"
    for module, seeds in MODULES.items():
        folder = root / module
        folder.mkdir(parents=True, exist_ok=True)
        for name, script in seeds().items():
            (folder / name).write_bytes(script)

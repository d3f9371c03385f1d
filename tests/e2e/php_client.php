<?php
// Calls the service through PHP's SoapClient, driven by the service's WSDL
// only, and writes what the client decoded as JSON:
//
//   php php_client.php PLAN.json RESULT.json
//
// PLAN: {"wsdl": URL, "calls": [[operation, [arguments...]], ...],
//        "cafile": the server's certificate for https (optional),
//        "compression": true to take answers gzip-compressed (optional)}
// RESULT: {"functions": [...], "calls": [{"op", "args", "result", "fault",
//          "headers": the answer's HTTP head, with compression}]}
// Records become objects with their fields in the order the client kept.

$plan = json_decode(file_get_contents($argv[1]), true, 512, JSON_THROW_ON_ERROR);
$options = [
    'cache_wsdl' => WSDL_CACHE_NONE,
    'connection_timeout' => 30,
    'exceptions' => true,
];
// The WSDL and the calls both go through this context: the certificate is
// verified against the one given, peer name included.
if (isset($plan['cafile'])) {
    $options['stream_context'] = stream_context_create(['ssl' => ['cafile' => $plan['cafile']]]);
}
// Accept-Encoding: gzip, deflate; the head of each answer kept to be shown.
$compression = $plan['compression'] ?? false;
if ($compression) {
    $options['compression'] = SOAP_COMPRESSION_ACCEPT;
    $options['trace'] = true;
}
$client = new SoapClient($plan['wsdl'], $options);

// stdClass records and arrays of them, as plain JSON values.
function plain($value) {
    if (is_object($value)) {
        $value = get_object_vars($value);
    }
    if (is_array($value)) {
        return array_map('plain', $value);
    }
    return $value;
}

$out = ['functions' => $client->__getFunctions(), 'calls' => []];
foreach ($plan['calls'] as [$operation, $arguments]) {
    $call = ['op' => $operation, 'args' => $arguments, 'result' => null, 'fault' => null];
    try {
        $call['result'] = plain($client->__soapCall($operation, $arguments));
    } catch (SoapFault $fault) {
        $call['fault'] = ['code' => $fault->faultcode, 'string' => $fault->faultstring];
    }
    if ($compression) {
        $call['headers'] = $client->__getLastResponseHeaders();
    }
    $out['calls'][] = $call;
}
file_put_contents($argv[2], json_encode($out,
    JSON_THROW_ON_ERROR | JSON_UNESCAPED_UNICODE | JSON_PRESERVE_ZERO_FRACTION));
